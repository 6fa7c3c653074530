#pragma once
// A picture being drawn: a 24-bit DIB section in a memory DC, drawn on with GDI+ and GDI
// alike. A 24-bit DIB keeps Wine's GDI+ on its fast path and is already laid out as the
// pixel block of a bitmap file.
#include "framework/DeviceContext.h"
#include "framework/Handle.h"

#include <windows.h>

#include <gdiplus.h>

#include <memory>

namespace skingen {

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool IsValid() const { return m_bits != nullptr && m_graphics != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Antialiased GDI+ drawing; call Flush before GDI drawing or reading pixels.
    Gdiplus::Graphics& Graphics() { return *m_graphics; }
    HDC Dc() const { return m_dc.Get(); }
    void Flush();

    // Rows are bottom-up and padded to 4 bytes, as in a bitmap file.
    int Stride() const { return (m_width * 3 + 3) & ~3; }
    const BYTE* Bits() const { return static_cast<const BYTE*>(m_bits); }

    // Pixels as 0xRRGGBB, (0, 0) at the top left.
    DWORD PixelAt(int x, int y) const;
    void SetPixelAt(int x, int y, DWORD rgb);

private:
    BYTE* PixelPointer(int x, int y) const;

    int m_width;
    int m_height;
    fw::MemoryDc m_dc;
    fw::UniqueBitmap m_bitmap;
    void* m_bits = nullptr;
    std::unique_ptr<fw::SelectedObject> m_selection;
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
};

} // namespace skingen
