#include "host/CProfileListBox.h"

LRESULT CProfileListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The in-place editor is limited as soon as it exists, whatever began the edit.
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE) {
        auto child = reinterpret_cast<HWND>(lParam);
        if (::GetDlgCtrlID(child) == IdEditor)
            ::SendMessageW(child, EM_LIMITTEXT, kMaxNameChars, 0);
    }
    return CSkinListBoxEdit::WindowProc(message, wParam, lParam);
}
