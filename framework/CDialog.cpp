#include "framework/CDialog.h"

#include "framework/CWinApp.h"
#include "framework/Module.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

// Every message reaches WindowProc through the subclassed window procedure first; the
// system dialog procedure only sees what falls through to the default handling.
INT_PTR CALLBACK CDialog::DialogProcThunk(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

HWND CDialog::CreateFromTemplate(HWND parent) {
    m_initExchangeFailed = false;
    HookWindowCreate(this);
    HWND hwnd = CreateDialogParamW(fw::ThisModule(), MAKEINTRESOURCEW(m_templateId), parent,
                                   &CDialog::DialogProcThunk, 0);
    UnhookWindowCreate();
    if (hwnd && m_initExchangeFailed) {
        DestroyWindow();
        hwnd = nullptr;
    }
    if (!hwnd && m_hWnd)
        Detach();
    return hwnd;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd)
        return FALSE;
    m_templateId = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent ? parent->GetSafeHwnd() : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd)
        return -1;
    HWND parent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    bool reenableParent = parent && ::IsWindowEnabled(parent);
    if (reenableParent)
        ::EnableWindow(parent, FALSE);

    m_modalResult = -1;
    if (CreateFromTemplate(parent)) {
        m_inModalLoop = true;
        RunModalLoop();
    }

    if (reenableParent) {
        ::EnableWindow(parent, TRUE);
        ::SetActiveWindow(parent);
    }
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_modalResult;
}

void CDialog::RunModalLoop() {
    if (m_inModalLoop && !::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    MSG msg;
    while (m_inModalLoop) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // Leave the quit request for the outer loop.
            ::PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_inModalLoop = false;
}

void CDialog::EndDialog(INT_PTR result) {
    m_modalResult = result;
    if (m_inModalLoop) {
        m_inModalLoop = false;
        // Wakes GetMessage when EndDialog came from outside a message.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() {
    if (!UpdateData(FALSE))
        m_initExchangeFailed = true;
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (!m_hWnd)
        return FALSE;
    CDataExchange exchange(this, saveAndValidate != FALSE);
    DoDataExchange(&exchange);
    return exchange.m_bFailed ? FALSE : TRUE;
}

namespace {

// Whether the system's dialog keyboard walk can reach the window: it and every window above
// it shown and enabled. The walk covers the outermost of nested dialogs and only such windows;
// started from one it cannot reach (the focus left in a page hidden or disabled under it), its
// search for a mnemonic never ends.
bool ReachableByDialogKeys(HWND window) {
    for (HWND current = window; current; current = ::GetParent(current)) {
        const LONG style = ::GetWindowLongW(current, GWL_STYLE);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED))
            return false;
        if (!(style & WS_CHILD))
            break;
    }
    return true;
}

} // namespace

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    bool keyboard = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
    bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    if (!m_hWnd || (!keyboard && !mouse))
        return FALSE;
    if (keyboard && !ReachableByDialogKeys(msg->hwnd))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return 0;
            }
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
