#pragma once
// Window-shape pictures: exact white where the window is cut away, black where it stays.
// Drawn pixel by pixel, never antialiased: a near-white edge pixel would be kept.
#include <windows.h>

#include <gdiplus.h>

namespace skingen {

class Canvas;

class MaskPainter {
public:
    explicit MaskPainter(Canvas& canvas);

    // Cuts the four corners to quarter circles of the radius.
    MaskPainter& RoundCorners(int radius);
    MaskPainter& Cut(const Gdiplus::Rect& area);

private:
    Canvas& m_canvas;
};

} // namespace skingen
