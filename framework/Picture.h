#pragma once
// Pictures are GDI+ bitmaps under shared ownership. A file that cannot be read still gives
// a picture object, one that holds no image: drawing code skips it (IsDrawable).
#include <windows.h>

#include <gdiplus.h>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <string>

using Picture = boost::shared_ptr<Gdiplus::Bitmap>;

namespace fw {

Picture LoadPicture(const std::wstring& path);

// True when the picture holds an image with a size.
bool IsDrawable(const Picture& picture);

// A GDI bitmap copy of the picture (transparent pixels on opaque black); null when the
// picture holds no image. The caller owns the result.
HBITMAP CreateGdiBitmap(const Picture& picture);

// Starts GDI+ for the lifetime of the object (the host's start-up, tests).
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Started() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};

} // namespace fw
