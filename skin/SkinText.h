#pragma once
// Text of skinned controls: GDI+ string in a fixed face and pixel size, over the picture.
#include "framework/Picture.h"

#include <string>

namespace skin {

// Alignment flags (DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM) applied to a GDI+ format;
// alignments whose flags are absent are left as they were.
void ApplyTextFormat(UINT flags, Gdiplus::StringFormat& format);

// Draws text (nothing when empty) in layout with the given face, pixel size and colour.
void DrawText(Gdiplus::Graphics& graphics, const std::wstring& text, const std::wstring& face,
              float sizePx, Gdiplus::ARGB color, const Gdiplus::StringFormat& format,
              const Gdiplus::RectF& layout);

// Draws the whole picture stretched over the rectangle; nothing when it holds no image.
void DrawStretched(Gdiplus::Graphics& graphics, const Picture& picture, const RECT& target);

// The same for a part of the picture.
void DrawPart(Gdiplus::Graphics& graphics, const Picture& picture, const RECT& target, int sourceX,
              int sourceY, int sourceWidth, int sourceHeight);

// GDI text colour of an ARGB colour (alpha dropped).
COLORREF ToColorRef(Gdiplus::ARGB color);

// Whether the area lies within a picture that holds an image.
bool CanCut(const Picture& source, int x, int y, int width, int height);

// A new picture holding an area of the source; empty when there is nothing to take.
Picture CutPicture(const Picture& source, int x, int y, int width, int height);

} // namespace skin
