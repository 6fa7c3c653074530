#include "skin/CSkinScrollFrame.h"

#include "framework/Module.h"
#include "framework/WindowSubclass.h"
#include "skin/SkinText.h"

#include <memory>

namespace {

const wchar_t kFrameClass[] = L"SkinScrollFrameWnd";

bool RegisterFrameClass() {
    WNDCLASSW wc = {};
    if (GetClassInfoW(fw::ThisModule(), kFrameClass, &wc))
        return true;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = fw::ThisModule();
    wc.lpszClassName = kFrameClass;
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool SameScrollState(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

} // namespace

CSkinScrollFrame* WrapInScrollFrame(CWnd* control) {
    if (!control || !control->IsWindow() || !RegisterFrameClass())
        return nullptr;
    HWND controlWnd = control->m_hWnd;
    HWND parent = ::GetParent(controlWnd);
    if (!parent)
        return nullptr;

    const DWORD style = control->GetStyle();
    const DWORD exStyle = control->GetExStyle();
    const bool popup = (exStyle & WS_EX_TOOLWINDOW) != 0;
    // A drop-down list lives in screen coordinates; every other control in its parent's.
    RECT rect = control->GetWindowRect();
    if (!popup)
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;

    DWORD frameExStyle = popup ? WS_EX_TOOLWINDOW | WS_EX_TOPMOST : 0;
    // A child frame of the combo box would be clipped by it: the list's frame is a pop-up.
    DWORD frameStyle = (popup ? WS_POPUP : WS_CHILD) | 0x100 | WS_CLIPCHILDREN;
    if (style & WS_VISIBLE)
        frameStyle |= WS_VISIBLE;
    if (style & WS_DISABLED)
        frameStyle |= WS_DISABLED;

    if (style & WS_BORDER) {
        control->ModifyStyle(WS_BORDER, 0);
        width -= 2 * GetSystemMetrics(SM_CXBORDER);
        height -= 2 * GetSystemMetrics(SM_CXBORDER);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        control->ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
        width -= 2 * GetSystemMetrics(SM_CXEDGE);
        height -= 2 * GetSystemMetrics(SM_CXEDGE);
    }

    auto owned = std::make_unique<CSkinScrollFrame>();
    const int inset = owned->m_nInset;
    RECT frameRect = {rect.left - inset, rect.top - inset, rect.left + width + inset,
                      rect.top + height + inset};
    const UINT id = popup ? 0 : static_cast<UINT>(control->GetDlgCtrlID());
    if (!owned->CreateEx(frameExStyle, kFrameClass, L"SkinScrollFrame", frameStyle, frameRect,
                         parent, id))
        return nullptr;
    // From here the window owns the frame and deletes it when it is destroyed.
    CSkinScrollFrame* frame = owned.release();
    frame->m_bPopup = popup;

    const RECT empty = {};
    if (!frame->m_wndInner.CreateEx(0, kFrameClass, L"BORDER",
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, empty, frame->m_hWnd,
                                    CSkinScrollFrame::kInnerId)) {
        frame->DestroyWindow();
        return nullptr;
    }
    frame->m_hScroll.Create(WS_CHILD, empty, frame, CSkinScrollFrame::kHScrollId);
    frame->m_vScroll.Create(WS_CHILD | SBS_VERT, empty, frame, CSkinScrollFrame::kVScrollId);
    if (!popup) // take the control's place in the z-order
        ::SetWindowPos(frame->m_hWnd, controlWnd, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    if (!fw::SetWindowSubclass(controlWnd, &CSkinScrollFrame::HookProc, CSkinScrollFrame::kHookId,
                               reinterpret_cast<DWORD_PTR>(frame))) {
        frame->DestroyWindow();
        return nullptr;
    }
    // Moving house is the frame's own doing: the hook lets it pass.
    frame->m_bBusy = TRUE;
    if (popup)
        control->ModifyStyle(WS_POPUP, WS_CHILD);
    ::SetParent(controlWnd, frame->m_wndInner.m_hWnd);
    frame->m_bBusy = FALSE;
    // The new size (and the frame change) makes the control compute its client area again,
    // which lays the frame out.
    frame->m_bPlacing = TRUE;
    ::SetWindowPos(controlWnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_FRAMECHANGED);
    frame->m_bPlacing = FALSE;
    frame->SetTimer(CSkinScrollFrame::kSyncTimer, 500);
    return frame;
}

void UnwrapScrollFrame(CWnd* control) {
    if (!control || !control->m_hWnd)
        return;
    HWND controlWnd = control->m_hWnd;
    CSkinScrollFrame* frame = CSkinScrollFrame::FrameOf(controlWnd);
    if (!frame)
        return;

    fw::RemoveWindowSubclass(controlWnd, &CSkinScrollFrame::HookProc, CSkinScrollFrame::kHookId);
    if (frame->m_bDestroying)
        return; // the frame goes down with the control inside it

    frame->KillTimer(CSkinScrollFrame::kSyncTimer);
    HWND parent = ::GetParent(frame->m_hWnd);
    RECT rect = frame->GetWindowRect();
    if (!frame->m_bPopup)
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    InflateRect(&rect, -frame->m_nInset, -frame->m_nInset);
    if (frame->m_bPopup) {
        control->ModifyStyle(WS_CHILD, WS_POPUP);
        ::SetParent(controlWnd, nullptr);
        ::SetWindowLongPtrW(controlWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parent));
    } else {
        ::SetParent(controlWnd, parent);
    }
    control->MoveWindow(rect, TRUE);
    frame->DestroyWindow();
}

HWND CSkinScrollFrame::GetControl() const {
    return m_wndInner.m_hWnd ? ::GetWindow(m_wndInner.m_hWnd, GW_CHILD) : nullptr;
}

void CSkinScrollFrame::LoadComboListImage(const wchar_t* path) {
    m_bUseDialogImages = FALSE;
    m_ownImage[0] = fw::LoadPicture(path);
}

void CSkinScrollFrame::OnHoverChanged(BOOL hover) {
    if (HWND control = GetControl())
        ::PostMessageW(control, WM_SKIN_HOVER, static_cast<WPARAM>(hover), 0);
}

CSkinScrollFrame* CSkinScrollFrame::FrameOf(HWND control) {
    // A wrapped control lives in its frame's inner window.
    HWND inner = control ? ::GetParent(control) : nullptr;
    auto* frame = dynamic_cast<CSkinScrollFrame*>(
        CWnd::FromHandlePermanent(inner ? ::GetParent(inner) : nullptr));
    return frame && frame->m_wndInner.m_hWnd == inner ? frame : nullptr;
}

LRESULT CALLBACK CSkinScrollFrame::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR frame) {
    return reinterpret_cast<CSkinScrollFrame*>(frame)->OnControlMessage(hwnd, message, wParam,
                                                                        lParam);
}

LRESULT CSkinScrollFrame::OnControlMessage(HWND control, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_DESTROY) {
        // The frame may be gone after this; the rest of the chain still sees the message.
        UnwrapScrollFrame(CWnd::FromHandle(control));
        return fw::DefSubclassProc(control, message, wParam, lParam);
    }
    if (message == WM_WINDOWPOSCHANGING && !m_bBusy && !m_bPlacing)
        KeepControlInPlace(*reinterpret_cast<WINDOWPOS*>(lParam));
    LRESULT result = fw::DefSubclassProc(control, message, wParam, lParam);
    if (m_bBusy)
        return result;

    switch (message) {
    case WM_ERASEBKGND: {
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        if (style & WS_VSCROLL)
            SyncBar(m_vScroll, SB_VERT, true);
        if (style & WS_HSCROLL)
            SyncBar(m_hScroll, SB_HORZ, true);
        break;
    }
    case WM_NCCALCSIZE:
        if (wParam)
            PlaceBars(control, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]);
        break;
    case WM_SHOWWINDOW:
        m_bBusy = TRUE;
        ShowWindow(wParam ? SW_SHOW : SW_HIDE);
        m_bBusy = FALSE;
        break;
    case WM_WINDOWPOSCHANGED: {
        // Drop-down lists are shown and hidden through their position, not ShowWindow.
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        if (m_bPopup && (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) {
            m_bBusy = TRUE;
            ShowWindow((flags & SWP_SHOWWINDOW) ? SW_SHOWNOACTIVATE : SW_HIDE);
            m_bBusy = FALSE;
        }
        break;
    }
    case WM_ENABLE:
        m_bBusy = TRUE;
        EnableWindow(static_cast<BOOL>(wParam));
        m_hScroll.EnableWindow(static_cast<BOOL>(wParam));
        m_vScroll.EnableWindow(static_cast<BOOL>(wParam));
        Invalidate(TRUE);
        m_bBusy = FALSE;
        break;
    }
    return result;
}

void CSkinScrollFrame::KeepControlInPlace(WINDOWPOS& pos) {
    if ((pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE))
        return;
    // Others place the control in its old parent's coordinates: the frame moves instead.
    // A drop-down list's frame is placed by its combo box alone.
    if (!m_bPopup) {
        RECT frame = GetWindowRect();
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&frame), 2);
        const int x = (pos.flags & SWP_NOMOVE) ? frame.left : pos.x - m_nInset;
        const int y = (pos.flags & SWP_NOMOVE) ? frame.top : pos.y - m_nInset;
        const int cx = (pos.flags & SWP_NOSIZE) ? frame.right - frame.left : pos.cx + 2 * m_nInset;
        const int cy = (pos.flags & SWP_NOSIZE) ? frame.bottom - frame.top : pos.cy + 2 * m_nInset;
        SetWindowPos(nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    pos.flags |= SWP_NOMOVE | SWP_NOSIZE;
}

void CSkinScrollFrame::PlaceBars(HWND control, RECT& client) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    const bool left = (GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int v = GetSystemMetrics(SM_CXVSCROLL);
    const int tv = m_vScroll.m_nThickness;
    const int th = m_hScroll.m_nThickness;
    if (style & WS_VSCROLL) {
        if (left)
            client.left -= v - tv;
        else
            client.right += v - tv;
    }
    if (style & WS_HSCROLL)
        client.bottom += v - th;

    RECT vertical = left ? RECT{client.left - tv, 0, client.left, client.bottom}
                         : RECT{client.right, 0, client.right + tv, client.bottom};
    RECT horizontal = left ? RECT{client.left, client.bottom, client.right, client.bottom + th}
                           : RECT{0, client.bottom, client.right, client.bottom + th};
    OffsetRect(&vertical, m_nInset, m_nInset);
    OffsetRect(&horizontal, m_nInset, m_nInset);
    auto place = [](CSkinScrollBar& bar, const RECT& r, bool shown) {
        bar.SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    };
    place(m_vScroll, vertical, (style & WS_VSCROLL) != 0);
    place(m_hScroll, horizontal, (style & WS_HSCROLL) != 0);
    PostMessage(WM_SKIN_FRAMELAYOUT, style & WS_VSCROLL, left ? 1 : 0);
}

LRESULT CSkinScrollFrame::OnFrameLayout(BOOL leftScrollBar) {
    HWND control = GetControl();
    if (!control)
        return 0;
    m_bBusy = TRUE;
    RECT inner = GetClientRect();
    InflateRect(&inner, -m_nInset, -m_nInset);
    // The bars' own visibility, not the screen's: the frame itself may be hidden.
    if (m_hScroll.GetStyle() & WS_VISIBLE)
        inner.bottom -= m_hScroll.m_nThickness;
    int x = 0;
    if (m_vScroll.GetStyle() & WS_VISIBLE) {
        if (leftScrollBar) {
            inner.left += m_vScroll.m_nThickness;
            x = -2 * m_vScroll.m_nThickness;
        } else {
            inner.right -= m_vScroll.m_nThickness;
        }
    }
    m_wndInner.MoveWindow(inner, TRUE);
    ::SetWindowPos(control, nullptr, x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bBusy = FALSE;
    NotifyControlPlaced(control);
    ::InvalidateRect(control, nullptr, TRUE);
    return 0;
}

void CSkinScrollFrame::NotifyControlPlaced(HWND control) {
    if (control)
        ::SendMessageW(control, WM_SKIN_FRAMELAYOUT, 0, 0);
}

BOOL CSkinScrollFrame::OnEraseBackground(HDC dc) {
    if (!m_wndInner.m_hWnd)
        return TRUE;
    SetBkMode(dc, TRANSPARENT);
    Picture picture;
    if (m_bUseDialogImages)
        picture = GetStateImage(!IsWindowEnabled() ? Disable : m_bHover ? Hover : Normal);
    else
        picture = m_ownImage[m_bHover ? 1 : 0];
    Gdiplus::Graphics graphics(dc);
    skin::DrawStretched(graphics, picture, GetClientRect());
    return TRUE;
}

void CSkinScrollFrame::OnScroll(UINT message, WPARAM wParam, HWND bar) {
    HWND control = GetControl();
    if (!control)
        return;
    m_bBusy = TRUE;
    ::SendMessageW(control, message, wParam, 0);
    m_bBusy = FALSE;
    if (LOWORD(wParam) == SB_THUMBTRACK)
        return;
    const int direction = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
    SCROLLINFO info = {sizeof(info), SIF_ALL};
    ::GetScrollInfo(control, direction, &info);
    ::SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

void CSkinScrollFrame::OnSize(int cx, int cy) {
    HWND control = GetControl();
    if (!cx || !cy || !m_wndInner.m_hWnd || !control)
        return;
    m_bPlacing = TRUE;
    ::MoveWindow(control, 0, 0, cx - 2 * m_nInset, cy - 2 * m_nInset, TRUE);
    m_bPlacing = FALSE;
}

void CSkinScrollFrame::SyncBar(CSkinScrollBar& bar, int direction, bool setEnabled) {
    HWND control = GetControl();
    if (!control || !bar.m_hWnd)
        return;
    SCROLLINFO wanted = {sizeof(wanted), SIF_ALL};
    ::GetScrollInfo(control, direction, &wanted);
    SCROLLINFO shown = {sizeof(shown), SIF_ALL};
    bar.GetScrollInfo(&shown);
    if (!SameScrollState(wanted, shown))
        bar.SetScrollInfo(&wanted, TRUE);
    if (setEnabled) {
        const bool usable =
            wanted.nMax >= static_cast<int>(wanted.nPage) && ::IsWindowEnabled(control);
        bar.EnableWindow(usable);
    }
}

void CSkinScrollFrame::SyncVisibleBars() {
    if (m_vScroll.GetStyle() & WS_VISIBLE)
        SyncBar(m_vScroll, SB_VERT, false);
    if (m_hScroll.GetStyle() & WS_VISIBLE)
        SyncBar(m_hScroll, SB_HORZ, false);
}

LRESULT CSkinScrollFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SKIN_FRAMELAYOUT:
        return OnFrameLayout(static_cast<BOOL>(lParam));
    case WM_ERASEBKGND:
        return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnScroll(message, wParam, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_TIMER: {
        LRESULT result = CSkinControl<CWnd>::WindowProc(message, wParam, lParam);
        SyncVisibleBars();
        return result;
    }
    case WM_SIZE: {
        LRESULT result = CSkinControl<CWnd>::WindowProc(message, wParam, lParam);
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return result;
    }
    case WM_MOVE:
        // A move without a new size lays nothing out, but the control's place changed.
        NotifyControlPlaced(GetControl());
        break;
    case WM_DESTROY:
        m_bDestroying = true;
        KillTimer(kSyncTimer);
        break;
    }
    return CSkinControl<CWnd>::WindowProc(message, wParam, lParam);
}
