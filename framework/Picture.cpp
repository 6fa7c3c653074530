#include "framework/Picture.h"

namespace fw {

Picture LoadPicture(const std::wstring& path) {
    return boost::make_shared<Gdiplus::Bitmap>(path.c_str());
}

bool IsDrawable(const Picture& picture) {
    if (!picture)
        return false;
    auto* bitmap = picture.get();
    return bitmap->GetLastStatus() == Gdiplus::Ok && bitmap->GetWidth() > 0 &&
           bitmap->GetHeight() > 0;
}

HBITMAP CreateGdiBitmap(const Picture& picture) {
    if (!IsDrawable(picture))
        return nullptr;
    HBITMAP bitmap = nullptr;
    if (picture->GetHBITMAP(Gdiplus::Color(255, 0, 0, 0), &bitmap) != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok)
        m_token = 0;
}

GdiplusSession::~GdiplusSession() {
    if (m_token)
        Gdiplus::GdiplusShutdown(m_token);
}

} // namespace fw
