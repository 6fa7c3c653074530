#include "skin/CSkinComboBox.h"

#include "framework/DeviceContext.h"
#include "skin/SkinText.h"

CSkinComboBox::CSkinComboBox() {
    m_list.m_bUseDialogImages = FALSE;
    m_list.LoadItemImage();
}

CSkinComboBox::~CSkinComboBox() {
    // The parts go with the combo's window while their objects still live, so that the
    // list's scroll frame is taken down with it; unsubclassing them here would leave the
    // frame behind.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

bool CSkinComboBox::EditIsReadOnly() const {
    return m_edit.m_hWnd && (m_edit.GetStyle() & ES_READONLY);
}

void CSkinComboBox::OnInitSkin() {
    COMBOBOXINFO info = {};
    if (!GetComboBoxInfo(&info))
        return;
    if (info.hwndItem && info.hwndItem != m_hWnd && !m_edit.m_hWnd)
        m_edit.SubclassWindow(info.hwndItem);
    if (info.hwndList && !m_list.m_hWnd)
        m_list.SubclassWindow(info.hwndList);
    m_hWndList = info.hwndList;
    // The list was measured before it was skinned.
    if (m_list.GetItemFrameHeight() > 0)
        SetItemHeight(0, static_cast<UINT>(m_list.GetItemFrameHeight()));
}

void CSkinComboBox::OnHoverChanged(BOOL hover) {
    if (EditIsReadOnly())
        m_edit.PostMessage(WM_SKIN_HOVER, static_cast<WPARAM>(hover), 0);
}

int CSkinComboBox::CompareItem(const COMPAREITEMSTRUCT* item) {
    auto text = [](ULONG_PTR data) { return data ? reinterpret_cast<const wchar_t*>(data) : L""; };
    return lstrcmpW(text(item->itemData1), text(item->itemData2));
}

void CSkinComboBox::RecalcLayout() {
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    const RECT client = GetClientRect();
    if (m_edit.m_hWnd) {
        RECT edit = m_edit.GetWindowRect();
        ScreenToClient(edit);
        const int shrink = (edit.bottom - edit.top - m_edit.m_nTextHeight) / 2;
        edit.top += shrink;
        edit.bottom -= shrink;
        edit.right = client.right - edgeX - m_nButtonWidth - 1;
        m_edit.MoveWindow(edit, FALSE);
    }
    m_rcButton = RECT{client.right - edgeX - m_nButtonWidth, client.top + edgeY,
                      client.right - edgeX, client.bottom - edgeY};
}

void CSkinComboBox::OnPaint() {
    fw::PaintDc paint(m_hWnd);
    Gdiplus::Graphics graphics(paint.Get());
    const bool enabled = IsWindowEnabled() != FALSE;
    const RECT client = GetClientRect();
    Picture background = GetStateImage(!enabled ? Disable : m_bHover ? Hover : Normal);
    skin::DrawStretched(graphics, background, client);
    if (IsRectEmpty(&m_rcButton))
        RecalcLayout();
    Picture button = !enabled || EditIsReadOnly() ? background
                     : m_bButtonDown              ? GetStateImage(Selected)
                     : m_bButtonHover             ? GetStateImage(Hover)
                                                  : GetStateImage(Normal);
    skin::DrawPart(graphics, button, m_rcButton, m_rcButton.left, m_rcButton.top,
                   m_rcButton.right - m_rcButton.left, m_rcButton.bottom - m_rcButton.top);
}

void CSkinComboBox::OnMouseMove(POINT point) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 100};
        m_bTracking = TrackMouseEvent(&track);
    }
    if (m_bButtonDown)
        return;
    const bool inside = PtInRect(&m_rcButton, point) != FALSE;
    if (inside && !m_bButtonHover) {
        m_bButtonHover = TRUE;
        RedrawButton();
    } else if (!inside && m_bButtonHover) {
        m_bButtonHover = FALSE;
        RedrawButton();
    }
}

void CSkinComboBox::OnMouseLeave() {
    m_bTracking = FALSE;
    if (!GetDroppedState() && m_bButtonHover) {
        m_bButtonHover = FALSE;
        RedrawButton();
    }
}

void CSkinComboBox::OnLButtonDown() {
    m_bButtonDown = TRUE;
    ShowDropDown(!GetDroppedState());
    RedrawButton();
}

void CSkinComboBox::OnDropDown() {
    CSkinScrollFrame* frame = m_list.m_pScrollFrame;
    if (!m_hWndList || !frame)
        return;
    const RECT combo = GetWindowRect();
    const RECT dropped = GetDroppedControlRect();
    m_list.m_bUseDialogImages = FALSE;
    int height = dropped.bottom - dropped.top;
    const int items = GetCount() * GetItemHeight(0);
    if (items < height)
        height = items + 2;
    frame->SetWindowPos(HWND_TOPMOST, combo.left, combo.bottom, dropped.right - dropped.left,
                        height, SWP_SHOWWINDOW);
    ::SetForegroundWindow(frame->m_hWnd);
}

BOOL CSkinComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_DROPDOWN) {
            OnDropDown();
            *result = 0;
            return TRUE; // the parent does not hear of it
        }
        break;
    case WM_COMPAREITEM:
        *result = CompareItem(reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DELETEITEM:
        *result = TRUE;
        return TRUE;
    }
    return CSkinControl<CComboBox>::OnChildNotify(message, wParam, lParam, result);
}

LRESULT CSkinComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE: {
        LRESULT result = CSkinControl<CComboBox>::WindowProc(message, wParam, lParam);
        RecalcLayout();
        return result;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        break; // then the base's hover tracking
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        return 0;
    case WM_WINDOWPOSCHANGING: {
        LRESULT result = CSkinControl<CComboBox>::WindowProc(message, wParam, lParam);
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOACTIVATE) {
            m_bButtonDown = FALSE;
            m_bButtonHover = FALSE;
            RedrawButton();
        }
        return result;
    }
    }
    return CSkinControl<CComboBox>::WindowProc(message, wParam, lParam);
}
