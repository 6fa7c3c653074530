#pragma once
// Writes a canvas as an uncompressed 24-bit Windows bitmap file.
#include <string>

namespace skingen {

class Canvas;

class BitmapFileWriter {
public:
    static bool Write(Canvas& canvas, const std::wstring& path);
};

} // namespace skingen
