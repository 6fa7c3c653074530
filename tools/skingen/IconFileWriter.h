#pragma once
// Writes square 32-bit images (straight alpha) as one Windows icon file, one entry each.
#include <windows.h>

#include <string>
#include <vector>

namespace skingen {

struct IconImage {
    int size = 0;
    std::vector<DWORD> argb; // size * size pixels, top row first
};

class IconFileWriter {
public:
    static bool Write(const std::vector<IconImage>& images, const std::wstring& path);
};

} // namespace skingen
