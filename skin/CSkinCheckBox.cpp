#include "skin/CSkinCheckBox.h"

CSkinCheckBox::CSkinCheckBox() : CSkinCheckableButton(20) {
    SetTextFormat(DT_VCENTER);
}

LRESULT CSkinCheckBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BM_GETCHECK:
        return m_bChecked;
    case BM_SETCHECK:
        m_bChecked = static_cast<int>(wParam);
        break;
    }
    return CSkinCheckableButton::WindowProc(message, wParam, lParam);
}

BOOL CSkinCheckBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        m_bChecked = !m_bChecked;
        return FALSE; // the parent reads the new state in its own handler
    }
    return CSkinCheckableButton::OnChildNotify(message, wParam, lParam, result);
}
