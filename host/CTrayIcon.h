#pragma once
// The host's icon in the notification area: its owner window, id, callback message, picture
// and tip.
#include "host/NotifyArea.h"

#include <string>

// Icon events reach the owner as this message (icon id, mouse message).
constexpr UINT WM_TRAYNOTIFY = WM_USER + 10;

class CTrayIcon {
public:
    static constexpr UINT kIconId = 128;

    // The system's notification area unless another is given.
    void SetNotifyArea(INotifyArea* area) { m_area = area; }
    void SetOwner(HWND owner, HICON icon) {
        m_owner = owner;
        m_icon = icon;
    }

    // Adds the icon with tip, shortened to what the tip field holds; results are ignored, as
    // adding an existing icon or deleting a missing one changes nothing.
    void Add(const std::wstring& tip);
    // Deletes the icon by its owner and id only.
    void Delete();

    // The tip as it fits the icon's tip field (127 characters and the terminator).
    static std::wstring FittingTip(const std::wstring& tip);

private:
    INotifyArea& Area();

    INotifyArea* m_area = nullptr;
    HWND m_owner = nullptr;
    HICON m_icon = nullptr;
};
