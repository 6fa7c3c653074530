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

} // namespace skin
