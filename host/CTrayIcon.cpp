#include "host/CTrayIcon.h"

#include <algorithm>

namespace {
constexpr size_t kTipChars = sizeof(NOTIFYICONDATAW::szTip) / sizeof(wchar_t) - 1;
} // namespace

INotifyArea& CTrayIcon::Area() {
    static Win32NotifyArea system;
    return m_area ? *m_area : system;
}

std::wstring CTrayIcon::FittingTip(const std::wstring& tip) {
    std::wstring fitting = tip.substr(0, kTipChars);
    // Never end on the first half of a surrogate pair.
    if (fitting.size() == kTipChars && fitting.back() >= 0xD800 && fitting.back() <= 0xDBFF)
        fitting.pop_back();
    return fitting;
}

void CTrayIcon::Add(const std::wstring& tip) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = m_owner;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = m_icon;
    const std::wstring fitting = FittingTip(tip);
    std::copy(fitting.begin(), fitting.end(), data.szTip);
    Area().Add(data);
}

void CTrayIcon::Delete() {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = m_owner;
    data.uID = kIconId;
    Area().Delete(data);
}
