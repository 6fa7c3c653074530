#include "tests/skin/SkinTestSupport.h"

#include <cstring>

namespace skin_test {

std::string BitmapFile(int width, int height, const std::function<DWORD(int, int)>& colour) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height; // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(file.bfSize, '\0');
    memcpy(&bytes[0], &file, sizeof(file));
    memcpy(&bytes[sizeof(file)], &info, sizeof(info));
    for (int y = 0; y < height; ++y) {
        char* row = &bytes[file.bfOffBits + static_cast<size_t>((height - 1 - y) * stride)];
        for (int x = 0; x < width; ++x) {
            DWORD c = colour(x, y);
            row[x * 3 + 0] = static_cast<char>(c & 0xFF);
            row[x * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((c >> 16) & 0xFF);
        }
    }
    return bytes;
}

Canvas::Canvas(int width, int height, DWORD fill) : m_width(width), m_height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    m_dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<BYTE*>(bits);
    m_previous = SelectObject(m_dc, m_bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = m_bits + y * ((width * 3 + 3) & ~3) + x * 3;
            p[0] = fill & 0xFF;
            p[1] = (fill >> 8) & 0xFF;
            p[2] = (fill >> 16) & 0xFF;
        }
}

Canvas::~Canvas() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

DWORD Canvas::Pixel(int x, int y) const {
    GdiFlush();
    const BYTE* p = m_bits + y * ((m_width * 3 + 3) & ~3) + x * 3;
    return (DWORD(p[2]) << 16) | (DWORD(p[1]) << 8) | p[0];
}

int Canvas::CountOther(const RECT& area, DWORD colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom && y < m_height; ++y)
        for (int x = area.left; x < area.right && x < m_width; ++x)
            count += Pixel(x, y) != colour;
    return count;
}

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    } while (GetTickCount() - start < ms);
}

} // namespace skin_test
