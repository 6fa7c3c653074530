#pragma once
// Background brushes of list and edit controls, made from pictures.
#include "framework/Handle.h"
#include "framework/Picture.h"

namespace skin {

// A pattern brush of the picture (transparent pixels on opaque black); empty when the
// picture holds no image.
fw::UniqueBrush MakePatternBrush(const Picture& picture);

// Replaces brush with one made from picture; an empty picture keeps the brush it had.
void RebuildBrush(fw::UniqueBrush& brush, const Picture& picture);

// Lays the brush over the window's whole client area (nothing without a brush).
void FillClient(HWND window, HDC dc, HBRUSH brush);

// A control's answer to its control-colour message: transparent text in the font and colour
// over the brush. FALSE (let the parent answer) when there is no brush.
BOOL AnswerControlColour(HDC dc, HFONT font, COLORREF text, HBRUSH brush, LRESULT* result);

} // namespace skin
