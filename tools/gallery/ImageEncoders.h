#pragma once
#include <windows.h>

namespace gallery {

// The GDI+ encoder for a MIME type such as "image/png"; false when there is none.
bool FindEncoder(const wchar_t* mime, CLSID* clsid);

} // namespace gallery
