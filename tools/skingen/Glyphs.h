#pragma once
// Small symbols drawn inside control pictures: the check mark of check boxes, the drop
// arrow of combo boxes, the item-button and row symbols of the macro list, title buttons.
#include <windows.h>

#include <gdiplus.h>

namespace skingen::glyphs {

using Gdiplus::ARGB;

enum class Direction { Up, Down, Left, Right };

void CheckMark(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour, float width);
// A filled triangle pointing in the direction, fitted into the box.
void Arrow(Gdiplus::Graphics& g, const Gdiplus::RectF& box, Direction direction, ARGB colour);
void Cross(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour, float width);
void Pencil(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour);
void Clock(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour);
void Minimise(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour);
// An arrow going down into a tray line: "hide to the notification area".
void ToTray(Gdiplus::Graphics& g, const Gdiplus::RectF& box, ARGB colour);

} // namespace skingen::glyphs
