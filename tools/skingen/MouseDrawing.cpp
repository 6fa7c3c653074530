#include "tools/skingen/MouseDrawing.h"

#include "tools/skingen/Shapes.h"
#include "tools/skingen/Theme.h"

#include <algorithm>

namespace skingen {

using namespace theme;

namespace {

float CentreX(const Gdiplus::Rect& r) {
    return r.X + r.Width / 2.0f;
}
float CentreY(const Gdiplus::Rect& r) {
    return r.Y + r.Height / 2.0f;
}

enum Spot { Left, Middle, Right, Back, Forward };

} // namespace

MouseDrawing::MouseDrawing(const std::array<Gdiplus::Rect, 5>& hotSpots) : m_spots(hotSpots) {
    const float cx = (CentreX(m_spots[Left]) + CentreX(m_spots[Right])) / 2;
    const float half =
        std::max(cx - m_spots[Back].X, static_cast<float>(m_spots[Forward].GetRight()) - cx) + 12;
    const float top = std::min({m_spots[Left].Y, m_spots[Middle].Y, m_spots[Right].Y}) - 28.0f;
    m_body = Gdiplus::RectF(cx - half, top, half * 2, half * 2 * 1.68f);
    m_splitY = std::max({m_spots[Left].GetBottom(), m_spots[Middle].GetBottom(),
                         m_spots[Right].GetBottom()}) +
               22.0f;
}

void MouseDrawing::AddBody(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& b) {
    const float cx = b.X + b.Width / 2, w = b.Width, h = b.Height;
    const float l = b.X, r = b.GetRight(), t = b.Y, bottom = b.GetBottom();
    path.AddBezier(cx, t, cx + 0.42f * w, t, r, t + 0.10f * h, r, t + 0.32f * h);
    path.AddBezier(r, t + 0.32f * h, r, t + 0.56f * h, r - 0.03f * w, t + 0.76f * h, r - 0.11f * w,
                   t + 0.89f * h);
    path.AddBezier(r - 0.11f * w, t + 0.89f * h, r - 0.19f * w, bottom, cx + 0.16f * w, bottom, cx,
                   bottom);
    path.AddBezier(cx, bottom, cx - 0.16f * w, bottom, l + 0.19f * w, bottom, l + 0.11f * w,
                   t + 0.89f * h);
    path.AddBezier(l + 0.11f * w, t + 0.89f * h, l + 0.03f * w, t + 0.76f * h, l, t + 0.56f * h, l,
                   t + 0.32f * h);
    path.AddBezier(l, t + 0.32f * h, l, t + 0.10f * h, cx - 0.42f * w, t, cx, t);
    path.CloseFigure();
}

void MouseDrawing::PaintSilhouette(Gdiplus::Graphics& g, const Gdiplus::RectF& body,
                                   Gdiplus::ARGB fill, Gdiplus::ARGB line, float lineWidth) {
    Gdiplus::GraphicsPath path;
    AddBody(path, body);
    Gdiplus::SolidBrush brush{Gdiplus::Color(fill)};
    g.FillPath(&brush, &path);
    Gdiplus::Pen pen(Gdiplus::Color(line), lineWidth);
    g.DrawPath(&pen, &path);
    const float cx = body.X + body.Width / 2, split = body.Y + body.Height * 0.36f;
    g.SetClip(&path);
    g.DrawLine(&pen, body.X, split, body.GetRight(), split);
    g.DrawLine(&pen, cx, body.Y, cx, split);
    g.ResetClip();
}

void MouseDrawing::Paint(Gdiplus::Graphics& g) const {
    // Soft shadow, then the shell.
    Gdiplus::GraphicsPath shadow;
    AddBody(shadow, Gdiplus::RectF(m_body.X + 4, m_body.Y + 8, m_body.Width, m_body.Height));
    Gdiplus::SolidBrush shadowBrush{Gdiplus::Color(0x60000000)};
    g.FillPath(&shadowBrush, &shadow);

    Gdiplus::GraphicsPath body;
    AddBody(body, m_body);
    Gdiplus::RectF span(m_body.X, m_body.Y - 1, m_body.Width, m_body.Height + 2);
    Gdiplus::LinearGradientBrush shell(span, Gdiplus::Color(0xFF2C3540), Gdiplus::Color(0xFF141920),
                                       Gdiplus::LinearGradientModeVertical);
    shell.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.FillPath(&shell, &body);

    g.SetClip(&body);
    PaintButtons(g);
    // A light strip down the palm, in the accent.
    const float cx = m_body.X + m_body.Width / 2;
    const float stripTop = m_splitY + 46, stripBottom = m_body.GetBottom() - 70;
    shapes::Line(g, cx, stripTop, cx, stripBottom, 0x402EA3F2, 9.0f);
    shapes::Line(g, cx, stripTop, cx, stripBottom, kAccent, 3.0f);
    g.ResetClip();

    Gdiplus::Pen rim(Gdiplus::Color(0xFF4A5766), 1.5f);
    g.DrawPath(&rim, &body);
    PaintSideButton(g, m_spots[Back]);
    PaintSideButton(g, m_spots[Forward]);
    PaintWheel(g);
}

void MouseDrawing::PaintButtons(Gdiplus::Graphics& g) const {
    const float gapLeft = (m_spots[Left].GetRight() + m_spots[Middle].X) / 2.0f;
    const float gapRight = (m_spots[Middle].GetRight() + m_spots[Right].X) / 2.0f;
    const float top = m_body.Y;

    // The two main buttons are a shade lighter than the palm; the wheel sits in a channel.
    Gdiplus::RectF buttons(m_body.X, top, m_body.Width, m_splitY - top);
    shapes::FillRounded(g, buttons, 0, 0xFF36414E, 0xFF29323D);
    shapes::FillRect(g, Gdiplus::RectF(gapLeft, top, gapRight - gapLeft, m_splitY - top),
                     0xFF1A2028);

    const Gdiplus::ARGB seam = 0xFF0C0F13;
    shapes::Line(g, gapLeft, top, gapLeft, m_splitY, seam, 2.0f);
    shapes::Line(g, gapRight, top, gapRight, m_splitY, seam, 2.0f);
    Gdiplus::Pen seamPen(Gdiplus::Color(seam), 2.0f);
    g.DrawBezier(&seamPen, m_body.X, m_splitY - 8, m_body.X + m_body.Width * 0.3f, m_splitY + 4,
                 m_body.GetRight() - m_body.Width * 0.3f, m_splitY + 4, m_body.GetRight(),
                 m_splitY - 8);
    // Highlight along the top of the button seams.
    shapes::Line(g, gapLeft - 2, top + 4, gapLeft - 2, m_splitY - 6, 0x30FFFFFF, 1.0f);
    shapes::Line(g, gapRight + 2, top + 4, gapRight + 2, m_splitY - 6, 0x30FFFFFF, 1.0f);
}

void MouseDrawing::PaintWheel(Gdiplus::Graphics& g) const {
    const Gdiplus::Rect& spot = m_spots[Middle];
    const float w = 14, h = 40;
    const Gdiplus::RectF wheel(CentreX(spot) - w / 2, CentreY(spot) - h / 2, w, h);
    shapes::FillRounded(g, wheel, 7, 0xFF5A6776, 0xFF2A323C);
    shapes::OutlineRounded(g, wheel, 7, 0xFF0C0F13);
    for (float y = wheel.Y + 6; y < wheel.GetBottom() - 5; y += 4)
        shapes::Line(g, wheel.X + 3, y, wheel.GetRight() - 3, y, 0x50000000, 1.0f);
}

void MouseDrawing::PaintSideButton(Gdiplus::Graphics& g, const Gdiplus::Rect& spot) const {
    const float w = 16, h = 46;
    const Gdiplus::RectF pill(CentreX(spot) - w / 2, CentreY(spot) - h / 2, w, h);
    shapes::FillRounded(g, pill, 6, 0xFF404C5A, 0xFF27303A);
    shapes::OutlineRounded(g, pill, 6, 0xFF0C0F13);
}

} // namespace skingen
