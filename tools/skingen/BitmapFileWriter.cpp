#include "tools/skingen/BitmapFileWriter.h"

#include "tools/skingen/Canvas.h"

#include "framework/Handle.h"

#include <windows.h>

namespace skingen {

bool BitmapFileWriter::Write(Canvas& canvas, const std::wstring& path) {
    if (!canvas.IsValid())
        return false;
    canvas.Flush();
    const DWORD pixelBytes = static_cast<DWORD>(canvas.Stride()) * canvas.Height();

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + pixelBytes;

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = canvas.Width();
    info.biHeight = canvas.Height();
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = pixelBytes;
    info.biXPelsPerMeter = 3780; // 96 dots per inch
    info.biYPelsPerMeter = 3780;

    fw::UniqueFileHandle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out)
        return false;
    auto put = [&](const void* data, DWORD size) {
        DWORD written = 0;
        return WriteFile(out.get(), data, size, &written, nullptr) && written == size;
    };
    return put(&file, sizeof(file)) && put(&info, sizeof(info)) && put(canvas.Bits(), pixelBytes);
}

} // namespace skingen
