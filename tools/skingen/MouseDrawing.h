#pragma once
// The five-button mouse drawn on the button and statistics pages, shaped around the hot
// spots those pages place: three buttons across the top (left, wheel, right) and one
// thumb button on each flank. The hot-spot markers themselves are drawn by the caller,
// per look, on top of the body.
#include <windows.h>

#include <gdiplus.h>

#include <array>

namespace skingen {

class MouseDrawing {
public:
    // Hot spots in profile order: left, middle, right, button 4, button 5.
    explicit MouseDrawing(const std::array<Gdiplus::Rect, 5>& hotSpots);

    void Paint(Gdiplus::Graphics& g) const;

    // Outline only, for faint decoration and the program icon.
    static void PaintSilhouette(Gdiplus::Graphics& g, const Gdiplus::RectF& body,
                                Gdiplus::ARGB fill, Gdiplus::ARGB line, float lineWidth);

private:
    static void AddBody(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& body);
    void PaintButtons(Gdiplus::Graphics& g) const;
    void PaintWheel(Gdiplus::Graphics& g) const;
    void PaintSideButton(Gdiplus::Graphics& g, const Gdiplus::Rect& spot) const;

    std::array<Gdiplus::Rect, 5> m_spots;
    Gdiplus::RectF m_body;
    float m_splitY;
};

} // namespace skingen
