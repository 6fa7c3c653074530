#include "skin/CSkinColorStatic.h"

#include "framework/DeviceContext.h"
#include "framework/Handle.h"

#include <cstdint>

void CSkinColorStatic::ComputeBlend() {
    uint32_t step = 0;
    if (m_nMax != m_nMin)
        step =
            static_cast<uint32_t>(m_clrEnd - m_clrStart) / static_cast<uint32_t>(m_nMax - m_nMin);
    m_clrBlend[0] = m_clrStart;
    m_clrBlend[1] = m_clrStart + step;
    m_clrBlend[2] = m_clrEnd - step;
    m_clrBlend[3] = m_clrEnd;
}

void CSkinColorStatic::FillGradient(HDC dc, const RECT& r) {
    ComputeBlend();
    Gdiplus::Rect area(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (area.Width <= 0 || area.Height <= 0)
        return;
    Gdiplus::LinearGradientBrush brush(area, Gdiplus::Color(0xFFFFFFFF), Gdiplus::Color(m_clrEnd),
                                       Gdiplus::LinearGradientModeHorizontal);
    Gdiplus::Color colours[4] = {Gdiplus::Color(m_clrBlend[0]), Gdiplus::Color(m_clrBlend[1]),
                                 Gdiplus::Color(m_clrBlend[2]), Gdiplus::Color(m_clrBlend[3])};
    brush.SetInterpolationColors(colours, m_fBlendPos, 4);
    Gdiplus::Graphics graphics(dc);
    graphics.FillRectangle(&brush, area);
}

void CSkinColorStatic::DrawItem(DRAWITEMSTRUCT* item) {
    CSkinStatic::DrawItem(item);
    FillGradient(item->hDC, item->rcItem);
}

COLORREF CSkinColorStatic::GetColorAt(int value) {
    const COLORREF fallback = skin::ToColorRef(m_clrStart);
    RECT client = GetClientRect();
    if (value < m_nMin)
        value = m_nMin;
    const long long width = client.right - client.left;
    // 64-bit: large counts times the bar width overflow an int.
    long long x = client.left;
    if (m_nMax != m_nMin)
        x = client.left + (static_cast<long long>(value) - m_nMin) * width /
                              (static_cast<long long>(m_nMax) - m_nMin);
    if (x >= client.right)
        x = client.right - 1;
    if (x <= client.left)
        x = client.left + 1;
    if (width <= 0 || client.bottom <= client.top)
        return fallback;

    // The bar's top row drawn into a bitmap of its own: the screen holds nothing while the
    // window is hidden.
    fw::WindowDc screen(nullptr);
    fw::MemoryDc memory(screen.Get());
    fw::UniqueBitmap row(CreateCompatibleBitmap(screen.Get(), client.right, 1));
    if (!memory.Get() || !row)
        return fallback;
    COLORREF pixel = CLR_INVALID;
    {
        fw::SelectedObject selected(memory.Get(), row.get());
        FillGradient(memory.Get(), client);
        pixel = GetPixel(memory.Get(), static_cast<int>(x), 0);
    }
    return pixel == CLR_INVALID ? fallback : pixel;
}
