#pragma once
// Pictures written as bitmap files, and a 24-bit canvas to draw controls into and read back.
#include "framework/Picture.h"

#include <functional>
#include <string>
#include <vector>

namespace skin_test {

// A 24-bit bitmap file whose pixel (x, y) has colour(x, y) (0xRRGGBB).
std::string BitmapFile(int width, int height, const std::function<DWORD(int, int)>& colour);
inline std::string SolidBitmapFile(int width, int height, DWORD colour) {
    return BitmapFile(width, height, [colour](int, int) { return colour; });
}

class Canvas {
public:
    Canvas(int width, int height, DWORD fill = 0x000000);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    DWORD Pixel(int x, int y) const; // 0xRRGGBB
    // How many pixels of the rectangle differ from colour.
    int CountOther(const RECT& area, DWORD colour) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    BYTE* m_bits = nullptr;
};

// Processes this thread's pending messages, for at least ms milliseconds.
void PumpMessages(DWORD ms);

} // namespace skin_test
