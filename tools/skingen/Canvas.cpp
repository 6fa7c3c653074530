#include "tools/skingen/Canvas.h"

namespace skingen {

Canvas::Canvas(int width, int height) : m_width(width), m_height(height), m_dc(nullptr) {
    if (!m_dc.Get() || width <= 0 || height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, like the file
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    m_bitmap.reset(CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
    if (!m_bitmap) {
        m_bits = nullptr;
        return;
    }
    m_selection = std::make_unique<fw::SelectedObject>(m_dc.Get(), m_bitmap.get());
    m_graphics = std::make_unique<Gdiplus::Graphics>(m_dc.Get());
    if (m_graphics->GetLastStatus() != Gdiplus::Ok) {
        m_graphics.reset();
        return;
    }
    m_graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    m_graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
}

// The graphics object and the selection must go before the bitmap and the DC they use.
Canvas::~Canvas() {
    m_graphics.reset();
    m_selection.reset();
}

void Canvas::Flush() {
    if (m_graphics)
        m_graphics->Flush(Gdiplus::FlushIntentionSync);
    GdiFlush();
}

BYTE* Canvas::PixelPointer(int x, int y) const {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return nullptr;
    return static_cast<BYTE*>(m_bits) + static_cast<size_t>(m_height - 1 - y) * Stride() + x * 3;
}

DWORD Canvas::PixelAt(int x, int y) const {
    const BYTE* p = PixelPointer(x, y);
    if (!p)
        return 0;
    return (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[1]) << 8) | p[0];
}

void Canvas::SetPixelAt(int x, int y, DWORD rgb) {
    BYTE* p = PixelPointer(x, y);
    if (!p)
        return;
    p[0] = static_cast<BYTE>(rgb & 0xFF);
    p[1] = static_cast<BYTE>((rgb >> 8) & 0xFF);
    p[2] = static_cast<BYTE>((rgb >> 16) & 0xFF);
}

} // namespace skingen
