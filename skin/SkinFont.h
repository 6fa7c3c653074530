#pragma once
// GDI font matching the skin's GDI+ text, for controls that draw their own text with GDI.
#include "framework/Handle.h"

#include <string>

namespace skin {

// The face at a pixel size, regular; empty when it cannot be made.
fw::UniqueFont CreateGdiFont(const std::wstring& face, float sizePx);

} // namespace skin
