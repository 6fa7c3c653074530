#include "tools/skingen/Shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace skingen::shapes {

Gdiplus::RectF Grow(const Gdiplus::Rect& r, float d) {
    return Gdiplus::RectF(r.X - d, r.Y - d, r.Width + 2 * d, r.Height + 2 * d);
}

void AddRoundedRect(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& r, float radius) {
    const float d = std::min({radius * 2, r.Width, r.Height});
    if (d <= 0.5f) {
        path.AddRectangle(r);
        return;
    }
    path.AddArc(r.X, r.Y, d, d, 180, 90);
    path.AddArc(r.X + r.Width - d, r.Y, d, d, 270, 90);
    path.AddArc(r.X + r.Width - d, r.Y + r.Height - d, d, d, 0, 90);
    path.AddArc(r.X, r.Y + r.Height - d, d, d, 90, 90);
    path.CloseFigure();
}

void FillRect(Gdiplus::Graphics& g, const Gdiplus::RectF& r, ARGB colour) {
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    g.FillRectangle(&brush, r);
}

void FillRounded(Gdiplus::Graphics& g, const Gdiplus::RectF& r, float radius, ARGB top,
                 ARGB bottom) {
    Gdiplus::GraphicsPath path;
    AddRoundedRect(path, r, radius);
    if (top == bottom) {
        Gdiplus::SolidBrush brush{Gdiplus::Color(top)};
        g.FillPath(&brush, &path);
        return;
    }
    // The brush reaches a pixel beyond both edges: a gradient brush tiles, and its first row
    // would otherwise pick up the far colour.
    Gdiplus::RectF span(r.X, r.Y - 1, r.Width, r.Height + 2);
    Gdiplus::LinearGradientBrush brush(span, Gdiplus::Color(top), Gdiplus::Color(bottom),
                                       Gdiplus::LinearGradientModeVertical);
    brush.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.FillPath(&brush, &path);
}

void OutlineRounded(Gdiplus::Graphics& g, const Gdiplus::RectF& r, float radius, ARGB colour,
                    float width) {
    const float half = width / 2;
    Gdiplus::RectF inner(r.X + half, r.Y + half, r.Width - width, r.Height - width);
    Gdiplus::GraphicsPath path;
    AddRoundedRect(path, inner, std::max(0.0f, radius - half));
    Gdiplus::Pen pen(Gdiplus::Color(colour), width);
    g.DrawPath(&pen, &path);
}

namespace {

// Wine's GDI+ flattens small ellipses into visible polygons; a fine polygon of our own
// stays round.
std::vector<Gdiplus::PointF> EllipsePoints(const Gdiplus::RectF& r) {
    const float cx = r.X + r.Width / 2, cy = r.Y + r.Height / 2;
    const int count = std::max(32, static_cast<int>((r.Width + r.Height) * 1.6f));
    std::vector<Gdiplus::PointF> points;
    points.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double a = 2 * 3.14159265358979 * i / count;
        points.emplace_back(cx + static_cast<float>(std::cos(a)) * r.Width / 2,
                            cy + static_cast<float>(std::sin(a)) * r.Height / 2);
    }
    return points;
}

} // namespace

void FillEllipse(Gdiplus::Graphics& g, const Gdiplus::RectF& r, ARGB colour) {
    const auto points = EllipsePoints(r);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    g.FillPolygon(&brush, points.data(), static_cast<INT>(points.size()));
}

void OutlineEllipse(Gdiplus::Graphics& g, const Gdiplus::RectF& r, ARGB colour, float width) {
    const float half = width / 2;
    const auto points =
        EllipsePoints(Gdiplus::RectF(r.X + half, r.Y + half, r.Width - width, r.Height - width));
    Gdiplus::Pen pen(Gdiplus::Color(colour), width);
    g.DrawPolygon(&pen, points.data(), static_cast<INT>(points.size()));
}

void Line(Gdiplus::Graphics& g, float x1, float y1, float x2, float y2, ARGB colour, float width) {
    Gdiplus::Pen pen(Gdiplus::Color(colour), width);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    g.DrawLine(&pen, x1, y1, x2, y2);
}

} // namespace skingen::shapes
