#include "framework/CMenu.h"

#include "framework/CWnd.h"

BOOL CMenu::CreatePopupMenu() {
    m_menu.reset(::CreatePopupMenu());
    return m_menu ? TRUE : FALSE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const wchar_t* text) {
    return ::AppendMenuW(m_menu.get(), flags, id, text);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const {
    return ::TrackPopupMenu(m_menu.get(), flags, x, y, 0, owner ? owner->m_hWnd : nullptr, nullptr);
}

BOOL CMenu::EnableMenuItem(UINT id, UINT enable) const {
    return ::EnableMenuItem(m_menu.get(), id, enable) != -1;
}
