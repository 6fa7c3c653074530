#include "skin/CSkinListBoxEdit_Edit.h"

#include "skin/SkinState.h"

bool CSkinListBoxEdit_Edit::AcceptsChar(wchar_t ch) const {
    if (m_nInputMode != kDecimalNumber)
        return true;
    if ((ch >= L'0' && ch <= L'9') || ch == 8 || ch == 16)
        return true;
    if (ch == L'.')
        return GetWindowText().find(L'.') == std::wstring::npos;
    return false;
}

BOOL CSkinListBoxEdit_Edit::PreTranslateMessage(MSG* msg) {
    if (m_nInputMode == kDecimalNumber && msg->hwnd == m_hWnd && msg->wParam == VK_RETURN) {
        switch (msg->message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            PostMessage(WM_KILLFOCUS);
            break;
        }
    }
    return CEdit::PreTranslateMessage(msg);
}

LRESULT CSkinListBoxEdit_Edit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && !AcceptsChar(static_cast<wchar_t>(wParam)))
        return 0;
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CSkinListBoxEdit_Edit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam,
                                          LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
        // The list ends the edit when this arrives; it never hears of the lost focus.
        ::PostMessageW(::GetParent(m_hWnd), WM_SKIN_ITEMEDITED, 0, 0);
        *result = 0;
        return TRUE;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}
