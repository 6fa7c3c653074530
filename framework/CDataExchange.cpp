#include "framework/CDataExchange.h"

#include "framework/CWnd.h"

#include <climits>
#include <cwchar>
#include <string>

namespace {
HWND Item(CDataExchange* dx, int id) {
    return ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
}
} // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    // A member left unbound (a mistyped id) fails the exchange instead of going unnoticed.
    if (!control.m_hWnd && !control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd))
        dx->m_bFailed = true;
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
    HWND item = Item(dx, id);
    if (!item)
        return;
    if (dx->m_bSaveAndValidate)
        value = CWnd::FromHandle(item)->GetWindowText();
    else
        ::SetWindowTextW(item, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    HWND item = Item(dx, id);
    if (!item)
        return;
    if (!dx->m_bSaveAndValidate) {
        ::SetWindowTextW(item, std::to_wstring(value).c_str());
        return;
    }
    std::wstring text = CWnd::FromHandle(item)->GetWindowText();
    wchar_t* end = nullptr;
    long long number = std::wcstoll(text.c_str(), &end, 10);
    bool whole = !text.empty() && end && *end == L'\0' && number >= INT_MIN && number <= INT_MAX;
    if (whole)
        value = static_cast<int>(number);
    else
        dx->m_bFailed = true;
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND item = Item(dx, id);
    if (!item)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(item, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(item, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}
