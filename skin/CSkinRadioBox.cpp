#include "skin/CSkinRadioBox.h"

CSkinRadioBox::CSkinRadioBox() : CSkinCheckableButton(12) {}

void CSkinRadioBox::UncheckOthersInGroup() const {
    HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return;
    // The walk skips hidden and disabled items, so it may never come back to a hidden or
    // disabled box: it also ends when it comes round to its first item again. It also enters
    // child dialogs in the group (a tabbed window's pages), whose controls are not ours.
    HWND first = GetNextDlgGroupItem(parent, m_hWnd, FALSE);
    for (HWND item = first; item && item != m_hWnd;) {
        if (::GetParent(item) == parent)
            ::PostMessageW(item, BM_SETCHECK, 0, 0);
        item = GetNextDlgGroupItem(parent, item, FALSE);
        if (item == first)
            break;
    }
}

LRESULT CSkinRadioBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BM_GETCHECK:
        return m_bChecked;
    case BM_SETCHECK:
        m_bChecked = static_cast<int>(wParam);
        if (wParam == 1)
            UncheckOthersInGroup();
        Invalidate(TRUE);
        break;
    }
    return CSkinCheckableButton::WindowProc(message, wParam, lParam);
}

BOOL CSkinRadioBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SendMessage(BM_SETCHECK, 1);
        return FALSE;
    }
    return CSkinCheckableButton::OnChildNotify(message, wParam, lParam, result);
}
