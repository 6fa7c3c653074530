#pragma once
// Filled and outlined shapes shared by every picture. Rectangles follow the layouts: x, y,
// width, height in pixels; 1-pixel outlines are drawn on pixel centres so they stay crisp.
#include <windows.h>

#include <gdiplus.h>

namespace skingen::shapes {

using Gdiplus::ARGB;

// r grown by d on every side (negative d shrinks it).
Gdiplus::RectF Grow(const Gdiplus::Rect& r, float d);

void AddRoundedRect(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& r, float radius);

void FillRect(Gdiplus::Graphics& g, const Gdiplus::RectF& r, ARGB colour);

// Vertical gradient from top to bottom colour (equal colours fill flat).
void FillRounded(Gdiplus::Graphics& g, const Gdiplus::RectF& r, float radius, ARGB top,
                 ARGB bottom);

// A 1-pixel (or wider) outline just inside the rectangle's edge.
void OutlineRounded(Gdiplus::Graphics& g, const Gdiplus::RectF& r, float radius, ARGB colour,
                    float width = 1.0f);

void FillEllipse(Gdiplus::Graphics& g, const Gdiplus::RectF& r, ARGB colour);
void OutlineEllipse(Gdiplus::Graphics& g, const Gdiplus::RectF& r, ARGB colour, float width);

void Line(Gdiplus::Graphics& g, float x1, float y1, float x2, float y2, ARGB colour,
          float width = 1.0f);

} // namespace skingen::shapes
