#include "skin/CSkinSliderCtrl.h"

#include "framework/DeviceContext.h"

#include <algorithm>
#include <windowsx.h>

void CSkinSliderCtrl::LoadThumbImage(const wchar_t* path) {
    m_thumbImage = fw::LoadPicture(path);
    const bool loaded = fw::IsDrawable(m_thumbImage);
    m_nThumbWidth = loaded ? static_cast<int>(m_thumbImage->GetWidth()) : 0;
    m_nThumbHeight = loaded ? static_cast<int>(m_thumbImage->GetHeight()) / 4 : 0;
}

void CSkinSliderCtrl::SetChannelRect(const RECT& rc) {
    RECT window = rc;
    const int halfThumb = m_nThumbWidth / 2 + 1;
    if (!IsVertical()) {
        int height = rc.bottom - rc.top;
        if (height < m_nThumbHeight) {
            int grow = std::max((m_nThumbHeight - height) / 2, 1);
            window.top -= grow;
            window.bottom += grow;
        }
        window.left = rc.left - halfThumb;
        window.right = rc.right + halfThumb;
    } else {
        int width = rc.right - rc.left;
        if (width < m_nThumbHeight) {
            int grow = std::max((m_nThumbHeight - width) / 2, 1);
            window.left -= grow;
            window.right += grow;
        }
        window.top = rc.top - halfThumb;
        window.bottom = rc.bottom + halfThumb;
    }
    MoveWindow(window, TRUE);
    m_rcChannel = GetClientRect();
    if (!IsVertical()) {
        m_rcChannel.left += halfThumb;
        m_rcChannel.right -= halfThumb;
    } else {
        m_rcChannel.top += halfThumb;
        m_rcChannel.bottom -= halfThumb;
    }
    PlaceThumb(0);
}

int CSkinSliderCtrl::Span() const {
    return IsVertical() ? m_rcChannel.bottom - m_rcChannel.top
                        : m_rcChannel.right - m_rcChannel.left;
}

void CSkinSliderCtrl::PlaceThumb(int pixel) {
    RECT client = GetClientRect();
    if (!IsVertical()) {
        int top = (client.bottom - client.top - m_nThumbHeight) / 2;
        m_rcThumb = RECT{pixel, top, pixel + m_nThumbWidth, top + m_nThumbHeight};
    } else {
        int left = (client.right - client.left - m_nThumbHeight) / 2;
        m_rcThumb = RECT{left, pixel, left + m_nThumbHeight, pixel + m_nThumbWidth};
    }
}

void CSkinSliderCtrl::SetValue(int value) {
    const int lo = GetRangeMin();
    const int hi = GetRangeMax();
    value = std::max(std::min(value, hi), lo);
    SendMessage(TBM_SETPOS, TRUE, value);
    int pixel = hi == lo ? 0 : (value - lo) * Span() / (hi - lo) + 1;
    PlaceThumb(std::max(pixel, 0));
}

void CSkinSliderCtrl::TrackTo(POINT point) {
    const int span = Span();
    if (span <= 0)
        return; // not placed yet: no track to follow
    const int lo = GetRangeMin();
    const int hi = GetRangeMax();
    const int offset = IsVertical() ? point.y - m_rcChannel.top : point.x - m_rcChannel.left;
    const int value = (hi - lo) * offset / span + lo;
    if (value != GetPos()) {
        SetValue(value);
        RedrawAll();
    }
}

bool CSkinSliderCtrl::PointerOnThumb() const {
    DWORD position = GetMessagePos();
    POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(point);
    return PtInRect(&m_rcThumb, point) != FALSE;
}

void CSkinSliderCtrl::OnPaint() {
    fw::PaintDc paint(m_hWnd);
    Gdiplus::Graphics graphics(paint.Get());
    const bool enabled = IsWindowEnabled() != FALSE;
    DrawStateImage(graphics, enabled ? Normal : Disable, GetClientRect());
    if (!fw::IsDrawable(m_thumbImage))
        return;
    const int frame = !enabled ? 1 : m_bDragging ? 3 : m_bThumbHover ? 2 : 0;
    RECT target = {m_rcThumb.left, m_rcThumb.top, m_rcThumb.left + m_nThumbWidth,
                   m_rcThumb.top + m_nThumbHeight};
    skin::DrawPart(graphics, m_thumbImage, target, 0, frame * m_nThumbHeight, m_nThumbWidth,
                   m_nThumbHeight);
}

void CSkinSliderCtrl::OnMouseMove(POINT point) {
    if (m_bDragging) {
        TrackTo(point);
        return;
    }
    if (PtInRect(&m_rcThumb, point)) {
        if (!m_bTracking) {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 100};
            m_bTracking = TrackMouseEvent(&track);
        }
        if (!m_bThumbHover) {
            m_bThumbHover = TRUE;
            RedrawThumb();
        }
    } else if (m_bThumbHover) {
        m_bThumbHover = FALSE;
        RedrawThumb();
    }
}

void CSkinSliderCtrl::OnMouseLeave() {
    m_bTracking = FALSE;
    m_bThumbHover = FALSE;
    RedrawThumb();
}

void CSkinSliderCtrl::OnLButtonDown(POINT point) {
    SetFocus();
    if (!PtInRect(&m_rcThumb, point)) {
        TrackTo(point);
        return;
    }
    m_bDragging = TRUE;
    ::SetCapture(m_hWnd);
    RedrawThumb();
}

void CSkinSliderCtrl::OnLButtonUp() {
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    ReleaseCapture();
    RedrawThumb();
}

void CSkinSliderCtrl::OnMouseWheel(int delta) {
    SetValue(GetPos() + delta / 120);
    m_bThumbHover = PointerOnThumb();
    RedrawAll();
}

void CSkinSliderCtrl::OnKeyDown(UINT key) {
    const int position = GetPos();
    int value;
    switch (key) {
    case VK_PRIOR:
        value = position - static_cast<int>(SendMessage(TBM_GETPAGESIZE));
        break;
    case VK_NEXT:
        value = position + static_cast<int>(SendMessage(TBM_GETPAGESIZE));
        break;
    case VK_END:
        value = GetRangeMax();
        break;
    case VK_HOME:
        value = GetRangeMin();
        break;
    case VK_LEFT:
    case VK_UP:
        value = position - static_cast<int>(SendMessage(TBM_GETLINESIZE));
        break;
    case VK_RIGHT:
    case VK_DOWN:
        value = position + static_cast<int>(SendMessage(TBM_GETLINESIZE));
        break;
    default:
        return;
    }
    SetValue(value);
    m_bThumbHover = PointerOnThumb();
    RedrawAll();
}

namespace {
bool IsKeyOrMouse(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSEHOVER ||
           message == WM_MOUSELEAVE;
}
} // namespace

LRESULT CSkinSliderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(point);
        break; // then hover tracking over the whole control, below
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(point);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        // A drag ends when something else takes the mouse.
        if (m_bDragging && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bDragging = FALSE;
            RedrawThumb();
        }
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    }
    if (IsKeyOrMouse(message)) {
        // The system trackbar never sees input: it would move on its own and tell the
        // parent (a key release sends WM_HSCROLL). The system's default still runs (Alt
        // keys, context menu).
        TrackInput(message, lParam);
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
    return CSkinControl<CSliderCtrl>::WindowProc(message, wParam, lParam);
}
