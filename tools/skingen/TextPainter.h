#pragma once
// Text that belongs to a picture (position labels, the title): drawn with GDI, which finds
// Wine's own fonts without any set-up of the prefix.
#include <windows.h>

#include <gdiplus.h>

#include <string>

namespace skingen {

class Canvas;

class TextPainter {
public:
    // format: DrawText flags (DT_CENTER, DT_RIGHT, DT_VCENTER, ...); one line.
    static void Draw(Canvas& canvas, const std::wstring& text, const Gdiplus::Rect& box,
                     int pixelHeight, Gdiplus::ARGB colour, UINT format, bool bold = false);
};

} // namespace skingen
