#include "tools/skingen/ControlPainter.h"

#include "tools/skingen/Canvas.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/Theme.h"

namespace skingen {

using namespace theme;
using shapes::Grow;

namespace {

Gdiplus::RectF ToF(const Gdiplus::Rect& r) {
    return Gdiplus::RectF(static_cast<float>(r.X), static_cast<float>(r.Y),
                          static_cast<float>(r.Width), static_cast<float>(r.Height));
}

} // namespace

ControlPainter::ControlPainter(Canvas& canvas) : m_g(canvas.Graphics()) {}

void ControlPainter::PushButton(const Gdiplus::Rect& r, SkinLook look) {
    const Gdiplus::RectF box = ToF(r);
    const float radius = r.Height < 24 ? 3.0f : 5.0f;
    if (IsDisabled(look)) {
        shapes::FillRounded(m_g, box, radius, kFaceDisabled, kFaceDisabled);
        shapes::OutlineRounded(m_g, box, radius, kRingDisabled);
    } else if (look == SkinLook::Selected) {
        shapes::FillRounded(m_g, box, radius, kFacePressedTop, kFacePressedBottom);
        shapes::OutlineRounded(m_g, box, radius, kAccent);
        shapes::Line(m_g, box.X + radius, box.Y + 1.5f, box.GetRight() - radius, box.Y + 1.5f,
                     0x66000000, 1.0f);
    } else if (IsHover(look)) {
        shapes::FillRounded(m_g, box, radius, kFaceHoverTop, kFaceHoverBottom);
        shapes::OutlineRounded(m_g, box, radius, kRingHover);
        shapes::Line(m_g, box.X + radius, box.Y + 1.5f, box.GetRight() - radius, box.Y + 1.5f,
                     0x40FFFFFF, 1.0f);
    } else {
        shapes::FillRounded(m_g, box, radius, kFaceTop, kFaceBottom);
        shapes::OutlineRounded(m_g, box, radius, kFaceBorder);
        shapes::Line(m_g, box.X + radius, box.Y + 1.5f, box.GetRight() - radius, box.Y + 1.5f,
                     0x24FFFFFF, 1.0f);
    }
}

void ControlPainter::CheckBox(const Gdiplus::Rect& r, SkinLook look) {
    if (IsHover(look) && !IsDisabled(look))
        shapes::FillRounded(m_g, ToF(r), 4.0f, Mix(kPanel, kRingHover, 0.22f),
                            Mix(kPanel, kRingHover, 0.12f));
    const float side = 16;
    const Gdiplus::RectF box(r.X + 3.0f, r.Y + (r.Height - side) / 2.0f, side, side);
    if (IsDisabled(look)) {
        shapes::FillRounded(m_g, box, 3, IsSelected(look) ? kFaceDisabled : kWellDisabled,
                            IsSelected(look) ? kFaceDisabled : kWellDisabled);
        shapes::OutlineRounded(m_g, box, 3, kRingDisabled);
        if (IsSelected(look))
            glyphs::CheckMark(m_g, box, kGlyphDisabled, 2.0f);
        return;
    }
    if (IsSelected(look)) {
        const ARGB fill = IsHover(look) ? kAccentLight : kAccent;
        shapes::FillRounded(m_g, box, 3, fill, Mix(fill, kAccentDeep, 0.45f));
        shapes::OutlineRounded(m_g, box, 3, IsHover(look) ? 0xFFFFFFFF : kAccentLight);
        glyphs::CheckMark(m_g, box, 0xFFFFFFFF, 2.2f);
        return;
    }
    shapes::FillRounded(m_g, box, 3, kWell, kWell);
    shapes::OutlineRounded(m_g, box, 3, IsHover(look) ? kRingHover : kRing);
}

void ControlPainter::HotSpot(const Gdiplus::Rect& r, SkinLook look) {
    const float d = 24;
    const Gdiplus::RectF dot(r.X + (r.Width - d) / 2.0f, r.Y + (r.Height - d) / 2.0f, d, d);
    const Gdiplus::RectF glow(dot.X - 4, dot.Y - 4, d + 8, d + 8);
    if (IsDisabled(look)) {
        shapes::FillEllipse(m_g, dot, 0xC0181D23);
        shapes::OutlineEllipse(m_g, dot, kRingDisabled, 2.0f);
        if (IsSelected(look))
            glyphs::CheckMark(
                m_g,
                Grow(Gdiplus::Rect(static_cast<int>(dot.X), static_cast<int>(dot.Y), 24, 24), -3),
                kGlyphDisabled, 2.0f);
        return;
    }
    if (IsHover(look))
        shapes::FillEllipse(m_g, glow, 0x402EA3F2);
    if (IsSelected(look)) {
        const ARGB fill = IsHover(look) ? kAccentLight : kAccent;
        shapes::FillEllipse(m_g, dot, fill);
        shapes::OutlineEllipse(m_g, dot, 0xFFFFFFFF, 1.5f);
        glyphs::CheckMark(m_g, Gdiplus::RectF(dot.X + 3, dot.Y + 3, d - 6, d - 6), 0xFFFFFFFF,
                          2.4f);
        return;
    }
    shapes::FillEllipse(m_g, dot, IsHover(look) ? 0xE0263646 : 0xC0101419);
    shapes::OutlineEllipse(m_g, dot, IsHover(look) ? kAccentLight : 0xFF6F7D8C, 2.0f);
    shapes::FillEllipse(m_g, Gdiplus::RectF(dot.X + 9, dot.Y + 9, 6, 6),
                        IsHover(look) ? kAccentLight : 0xFF6F7D8C);
}

void ControlPainter::ComboFace(const Gdiplus::Rect& r, int buttonWidth, SkinLook look) {
    const Gdiplus::RectF box = ToF(r);
    const bool disabled = IsDisabled(look);
    const bool hover = IsHover(look) && !disabled;
    shapes::FillRounded(m_g, box, 4, disabled ? kWellDisabled : kWell,
                        disabled ? kWellDisabled : kWell);
    shapes::OutlineRounded(m_g, box, 4, disabled ? kRingDisabled : hover ? kRingHover : kRing);
    // The drop button sits 2 pixels (the system edge) inside the right border.
    const float right = box.GetRight() - 2;
    const Gdiplus::RectF button(right - buttonWidth, box.Y + 2, static_cast<float>(buttonWidth),
                                box.Height - 4);
    if (hover)
        shapes::FillRounded(m_g, button, 3, kFaceHoverTop, kFaceHoverBottom);
    else if (!disabled)
        shapes::FillRounded(m_g, button, 3, kFaceTop, kFaceBottom);
    shapes::Line(m_g, button.X + 0.5f, button.Y + 3, button.X + 0.5f, button.GetBottom() - 3,
                 disabled ? kRingDisabled : kRing);
    const float a = 11;
    glyphs::Arrow(m_g,
                  Gdiplus::RectF(button.X + (button.Width - a) / 2 + 0.5f,
                                 button.Y + (button.Height - a) / 2 + 1, a, a),
                  glyphs::Direction::Down,
                  disabled ? kGlyphDisabled
                  : hover  ? kAccentLight
                           : kGlyph);
}

void ControlPainter::Field(const Gdiplus::Rect& r, SkinLook look) {
    const bool disabled = IsDisabled(look);
    const bool hover = IsHover(look) && !disabled;
    if (hover)
        shapes::FillRounded(m_g, Grow(r, 5), 6, 0x302EA3F2, 0x302EA3F2);
    shapes::FillRounded(m_g, Grow(r, 3), 4,
                        disabled ? kRingDisabled
                        : hover  ? kRingHover
                                 : kRing,
                        disabled ? kRingDisabled
                        : hover  ? kRingHover
                                 : kRing);
    shapes::FillRounded(m_g, Grow(r, 2), 3, disabled ? kWellDisabled : kWell,
                        disabled ? kWellDisabled : kWell);
}

void ControlPainter::Tab(const Gdiplus::Rect& r, SkinLook look) {
    // Rounded at the top only: the shape runs on below the tab and is clipped there.
    const Gdiplus::RectF shape(static_cast<float>(r.X), static_cast<float>(r.Y),
                               static_cast<float>(r.Width), r.Height + 8.0f);
    m_g.SetClip(ToF(r));
    const bool selected = IsSelected(look);
    if (IsDisabled(look)) {
        shapes::FillRounded(m_g, shape, 6, kFaceDisabled, kFaceDisabled);
        shapes::OutlineRounded(m_g, shape, 6, kRingDisabled);
        if (selected)
            shapes::FillRounded(m_g, Gdiplus::RectF(r.X + 4.0f, r.Y + 1.0f, r.Width - 8.0f, 3),
                                1.5f, kGlyphDisabled, kGlyphDisabled);
    } else if (selected) {
        const ARGB top = IsHover(look) ? Mix(kPanel, 0xFFFFFFFF, 0.06f) : kPanel;
        shapes::FillRounded(m_g, shape, 6, Mix(top, kAccentDeep, 0.35f), top);
        shapes::OutlineRounded(m_g, shape, 6, kPanelEdge);
        shapes::FillRounded(m_g, Gdiplus::RectF(r.X + 4.0f, r.Y + 1.0f, r.Width - 8.0f, 3), 1.5f,
                            IsHover(look) ? kAccentLight : kAccent,
                            IsHover(look) ? kAccentLight : kAccent);
    } else if (IsHover(look)) {
        shapes::FillRounded(m_g, shape, 6, kFaceHoverTop, kFaceHoverBottom);
        shapes::OutlineRounded(m_g, shape, 6, kRingHover);
    } else {
        shapes::FillRounded(m_g, shape, 6, 0xFF252D38, 0xFF1C222B);
        shapes::OutlineRounded(m_g, shape, 6, kPanelEdge);
    }
    m_g.ResetClip();
}

void ControlPainter::SwatchFrame(const Gdiplus::Rect& r, SkinLook look) {
    const Gdiplus::RectF box = ToF(r);
    const bool disabled = IsDisabled(look);
    shapes::FillRounded(m_g, box, 5, disabled ? kWellDisabled : kWell,
                        disabled ? kWellDisabled : kWell);
    if (IsHover(look) && !disabled)
        shapes::OutlineRounded(m_g, box, 5, kAccentLight, 3.0f);
    else
        shapes::OutlineRounded(m_g, box, 5, disabled ? kRingDisabled : kRing, 2.0f);
}

void ControlPainter::Display(const Gdiplus::Rect& r, SkinLook look) {
    const Gdiplus::RectF box = ToF(r);
    const bool disabled = IsDisabled(look);
    shapes::FillRounded(m_g, box, 8, disabled ? kWellDisabled : 0xFF0A0E13,
                        disabled ? kWellDisabled : 0xFF111821);
    shapes::OutlineRounded(m_g, box, 8, disabled ? kRingDisabled : kRing, 1.0f);
    if (!disabled)
        shapes::Line(m_g, box.X + 10, box.GetBottom() - 6.5f, box.GetRight() - 10,
                     box.GetBottom() - 6.5f, 0x802EA3F2, 1.0f);
}

} // namespace skingen
