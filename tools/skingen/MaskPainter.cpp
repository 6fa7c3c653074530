#include "tools/skingen/MaskPainter.h"

#include "tools/skingen/Canvas.h"

namespace skingen {
namespace {

constexpr DWORD kKeep = 0x000000;
constexpr DWORD kCut = 0xFFFFFF;

} // namespace

MaskPainter::MaskPainter(Canvas& canvas) : m_canvas(canvas) {
    m_canvas.Flush();
    for (int y = 0; y < m_canvas.Height(); ++y)
        for (int x = 0; x < m_canvas.Width(); ++x)
            m_canvas.SetPixelAt(x, y, kKeep);
}

MaskPainter& MaskPainter::RoundCorners(int radius) {
    const int w = m_canvas.Width(), h = m_canvas.Height();
    for (int dy = 0; dy < radius; ++dy) {
        for (int dx = 0; dx < radius; ++dx) {
            // Distance from the pixel's centre to the centre of the corner circle.
            const double fx = radius - (dx + 0.5), fy = radius - (dy + 0.5);
            if (fx * fx + fy * fy <= static_cast<double>(radius) * radius)
                continue;
            m_canvas.SetPixelAt(dx, dy, kCut);
            m_canvas.SetPixelAt(w - 1 - dx, dy, kCut);
            m_canvas.SetPixelAt(dx, h - 1 - dy, kCut);
            m_canvas.SetPixelAt(w - 1 - dx, h - 1 - dy, kCut);
        }
    }
    return *this;
}

MaskPainter& MaskPainter::Cut(const Gdiplus::Rect& area) {
    for (int y = area.Y; y < area.GetBottom(); ++y)
        for (int x = area.X; x < area.GetRight(); ++x)
            m_canvas.SetPixelAt(x, y, kCut);
    return *this;
}

} // namespace skingen
