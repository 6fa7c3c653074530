#pragma once
// A menu owned by this object (destroyed with it), used as a pop-up.
#include "framework/Handle.h"

class CWnd;

class CMenu {
public:
    BOOL CreatePopupMenu();
    BOOL AppendMenu(UINT flags, UINT_PTR id, const wchar_t* text);
    // The chosen command with TPM_RETURNCMD (0 when dismissed), else nonzero on success.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const;
    BOOL EnableMenuItem(UINT id, UINT enable) const;
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_menu.get()); }
    HMENU GetSafeHmenu() const { return m_menu.get(); }

private:
    struct MenuTraits {
        using pointer = HMENU;
        static pointer invalid() noexcept { return nullptr; }
        static void close(pointer h) noexcept { ::DestroyMenu(h); }
    };
    fw::UniqueHandle<MenuTraits> m_menu;
};
