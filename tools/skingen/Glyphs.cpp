#include "tools/skingen/Glyphs.h"

#include "tools/skingen/Shapes.h"

namespace skingen::glyphs {
namespace {

Gdiplus::PointF At(const Gdiplus::RectF& box, float fx, float fy) {
    return Gdiplus::PointF(box.X + box.Width * fx, box.Y + box.Height * fy);
}

// GDI+ pens cannot be copied, so the rounded pen is a pen of its own.
class RoundPen : public Gdiplus::Pen {
public:
    RoundPen(ARGB colour, float width) : Gdiplus::Pen(Gdiplus::Color(colour), width) {
        SetStartCap(Gdiplus::LineCapRound);
        SetEndCap(Gdiplus::LineCapRound);
        SetLineJoin(Gdiplus::LineJoinRound);
    }
};

} // namespace

void CheckMark(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour, float width) {
    const Gdiplus::PointF points[] = {At(box, 0.20f, 0.52f), At(box, 0.42f, 0.74f),
                                      At(box, 0.80f, 0.28f)};
    RoundPen pen(colour, width);
    g.DrawLines(&pen, points, 3);
}

void Arrow(Gdiplus::Graphics& g, const Gdiplus::RectF& box, Direction direction, ARGB colour) {
    Gdiplus::PointF points[3];
    switch (direction) {
    case Direction::Up:
        points[0] = At(box, 0.5f, 0.2f), points[1] = At(box, 0.9f, 0.75f);
        points[2] = At(box, 0.1f, 0.75f);
        break;
    case Direction::Down:
        points[0] = At(box, 0.1f, 0.25f), points[1] = At(box, 0.9f, 0.25f);
        points[2] = At(box, 0.5f, 0.8f);
        break;
    case Direction::Left:
        points[0] = At(box, 0.2f, 0.5f), points[1] = At(box, 0.75f, 0.1f);
        points[2] = At(box, 0.75f, 0.9f);
        break;
    case Direction::Right:
        points[0] = At(box, 0.25f, 0.1f), points[1] = At(box, 0.8f, 0.5f);
        points[2] = At(box, 0.25f, 0.9f);
        break;
    }
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    g.FillPolygon(&brush, points, 3);
}

void Cross(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour, float width) {
    RoundPen pen(colour, width);
    g.DrawLine(&pen, At(box, 0.25f, 0.25f), At(box, 0.75f, 0.75f));
    g.DrawLine(&pen, At(box, 0.75f, 0.25f), At(box, 0.25f, 0.75f));
}

void Pencil(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour) {
    RoundPen body(colour, box.Width * 0.16f);
    g.DrawLine(&body, At(box, 0.72f, 0.22f), At(box, 0.32f, 0.62f));
    const Gdiplus::PointF tip[] = {At(box, 0.26f, 0.58f), At(box, 0.36f, 0.70f),
                                   At(box, 0.20f, 0.78f)};
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    g.FillPolygon(&brush, tip, 3);
}

void Clock(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour) {
    const Gdiplus::RectF face(box.X + box.Width * 0.15f, box.Y + box.Height * 0.15f,
                              box.Width * 0.7f, box.Height * 0.7f);
    shapes::OutlineEllipse(g, face, colour, 1.4f);
    RoundPen hands(colour, 1.4f);
    g.DrawLine(&hands, At(box, 0.5f, 0.5f), At(box, 0.5f, 0.28f));
    g.DrawLine(&hands, At(box, 0.5f, 0.5f), At(box, 0.66f, 0.58f));
}

void Minimise(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour) {
    RoundPen pen(colour, 2.0f);
    g.DrawLine(&pen, At(box, 0.3f, 0.68f), At(box, 0.7f, 0.68f));
}

void ToTray(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour) {
    RoundPen pen(colour, 1.6f);
    g.DrawLine(&pen, At(box, 0.28f, 0.76f), At(box, 0.72f, 0.76f));
    g.DrawLine(&pen, At(box, 0.5f, 0.22f), At(box, 0.5f, 0.58f));
    g.DrawLine(&pen, At(box, 0.36f, 0.46f), At(box, 0.5f, 0.60f));
    g.DrawLine(&pen, At(box, 0.64f, 0.46f), At(box, 0.5f, 0.60f));
}

} // namespace skingen::glyphs
