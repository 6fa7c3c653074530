#include "framework/Picture.h"

#include <boost/weak_ptr.hpp>

#include <map>
#include <mutex>
#include <string>
#include <cwctype>

namespace fw {

namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    for (wchar_t& c : full)
        c = static_cast<wchar_t>(::towlower(c));
    return full;
}

} // namespace

// A window names the same file in several state lists, and many windows name the same files:
// one decoded copy serves them all while any of them holds it (the pictures are only read).
Picture LoadPicture(const std::wstring& path) {
    static std::mutex lock;
    static std::map<std::wstring, boost::weak_ptr<Gdiplus::Bitmap>> loaded;
    // The system keeps a picture's file open while the picture lives, so the file cannot
    // change under a shared copy.
    const std::wstring key = FullPath(path);
    std::lock_guard<std::mutex> guard(lock);
    if (Picture shared = loaded[key].lock())
        return shared;
    Picture picture = boost::make_shared<Gdiplus::Bitmap>(path.c_str());
    loaded[key] = picture;
    // Entries of pictures no longer held are dropped now and then.
    if (loaded.size() > 256) {
        for (auto it = loaded.begin(); it != loaded.end();)
            it = it->second.expired() ? loaded.erase(it) : std::next(it);
    }
    return picture;
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
