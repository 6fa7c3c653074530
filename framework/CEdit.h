#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, WC_EDITW, L"", style, rect, parent ? parent->m_hWnd : nullptr, id);
    }
    void SetSel(int start, int end, BOOL noScroll = FALSE) const {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const {
        DWORD s = 0;
        DWORD e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
    }
    void ReplaceSel(const wchar_t* text, BOOL canUndo = FALSE) const {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void SetLimitText(UINT max) const { SendMessage(EM_SETLIMITTEXT, max); }
    void SetReadOnly(BOOL readOnly = TRUE) const { SendMessage(EM_SETREADONLY, readOnly); }
    void SetMargins(UINT left, UINT right) const {
        SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(left, right));
    }
    int GetFirstVisibleLine() const {
        return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE));
    }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
};
