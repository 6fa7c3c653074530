#include "tools/skingen/AppIcon.h"

#include "tools/skingen/IconFileWriter.h"
#include "tools/skingen/MouseDrawing.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/Theme.h"

#include <windows.h>

#include <gdiplus.h>

namespace skingen {
namespace {

using namespace theme;

// An accent tile with a white mouse on it. Drawn into a 32-bit GDI+ bitmap of its own:
// the icon needs an alpha channel, which the 24-bit canvas has not.
bool PaintIcon(int size, IconImage& image) {
    Gdiplus::Bitmap bitmap(size, size, PixelFormat32bppARGB);
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return false;
    {
        Gdiplus::Graphics g(&bitmap);
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        const float s = static_cast<float>(size);
        const Gdiplus::RectF tile(0, 0, s, s);
        shapes::FillRounded(g, tile, s * 0.22f, kAccent, kAccentDeep);
        const Gdiplus::RectF body(s * 0.30f, s * 0.12f, s * 0.40f, s * 0.76f);
        MouseDrawing::PaintSilhouette(g, body, 0xFFFFFFFF, kAccentDeep,
                                      size <= 16 ? 1.0f : s / 24.0f);
    }
    Gdiplus::BitmapData data = {};
    Gdiplus::Rect all(0, 0, size, size);
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok)
        return false;
    image.size = size;
    image.argb.resize(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        const auto* row = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(data.Scan0) +
                                                         static_cast<ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < size; ++x)
            image.argb[static_cast<size_t>(y) * size + x] = row[x];
    }
    bitmap.UnlockBits(&data);
    return true;
}

} // namespace

bool AppIcon::Write(const std::wstring& path) {
    std::vector<IconImage> images;
    for (int size : {16, 32, 48}) {
        IconImage image;
        if (!PaintIcon(size, image))
            return false;
        images.push_back(std::move(image));
    }
    return IconFileWriter::Write(images, path);
}

} // namespace skingen
