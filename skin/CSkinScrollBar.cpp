#include "skin/CSkinScrollBar.h"

#include "framework/DeviceContext.h"
#include "skin/SkinText.h"

#include <boost/weak_ptr.hpp>
#include <windowsx.h>

using namespace skin;

namespace {

// The picture all bars of this binary share: it lives while any bar holds it.
boost::weak_ptr<Gdiplus::Bitmap>& SharedBarPicture() {
    static boost::weak_ptr<Gdiplus::Bitmap> picture;
    return picture;
}

enum Row { RowNormal = 0, RowDisabled = 1, RowHot = 2, RowPressed = 3 };

int ColumnOf(int part) {
    switch (part) {
    case PartArrow1:
        return 0;
    case PartArrow2:
        return 1;
    case PartThumb:
        return 2;
    default:
        return 3;
    }
}

// Stretches a source area with its edges mirrored, so the copy does not blur at its ends.
void DrawTiled(Gdiplus::Graphics& graphics, const Picture& picture, const RECT& target, int x,
               int y, int width, int height) {
    if (!fw::IsDrawable(picture) || width <= 0 || height <= 0 || target.right <= target.left ||
        target.bottom <= target.top)
        return;
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::Rect destination(target.left, target.top, target.right - target.left,
                              target.bottom - target.top);
    graphics.DrawImage(picture.get(), destination, x, y, width, height, Gdiplus::UnitPixel,
                       &attributes);
}

} // namespace

CSkinScrollBar::CSkinScrollBar() {
    m_si.cbSize = sizeof(m_si);
}

CSkinScrollBar::~CSkinScrollBar() = default;

void CSkinScrollBar::LoadSkin() {
    m_picture = SharedBarPicture().lock();
    if (!m_picture) {
        m_picture = fw::LoadPicture(L".\\res\\scrollbar.bmp");
        SharedBarPicture() = m_picture;
    }
    const bool loaded = HasPicture();
    m_nThickness = loaded ? static_cast<int>(m_picture->GetWidth()) / 4 : 0;
    m_nArrowSize = loaded ? static_cast<int>(m_picture->GetHeight()) / 4 : 0;
}

void CSkinScrollBar::PreSubclassWindow() {
    LoadSkin();
    RECT client = GetClientRect();
    m_nLength = IsVertical() ? client.bottom - client.top : client.right - client.left;
    CScrollBar::PreSubclassWindow();
}

void CSkinScrollBar::Recalc() {
    m_parts = ScrollBarGeometry::Compute(m_nLength, m_nArrowSize, m_nThickness, m_si, IsVertical());
}

Picture CSkinScrollBar::Cell(int column, int row) const {
    Picture cell = CutPicture(m_picture, column * m_nThickness, row * m_nArrowSize, m_nThickness,
                              m_nArrowSize);
    if (cell && !IsVertical())
        cell->RotateFlip(Gdiplus::Rotate270FlipNone);
    return cell;
}

void CSkinScrollBar::DrawPart(HDC dc, int part, int row) {
    if (part == PartNone || !HasPicture())
        return;
    if (part == PartThumb) {
        DrawThumb(dc, row);
        return;
    }
    Picture cell = Cell(ColumnOf(part), row);
    if (!cell)
        return;
    Gdiplus::Graphics graphics(dc);
    const RECT& target = m_parts.PartRect(static_cast<ScrollPart>(part));
    const int width = static_cast<int>(cell->GetWidth());
    const int height = static_cast<int>(cell->GetHeight());
    if (part == PartArrow1 || part == PartArrow2)
        skin::DrawPart(graphics, cell, target, 0, 0, width, height);
    else
        DrawTiled(graphics, cell, target, 0, 0, width, height);
}

void CSkinScrollBar::DrawThumb(HDC dc, int row) {
    Picture cell = Cell(ColumnOf(PartThumb), row);
    const RECT& thumb = m_parts.thumb;
    if (!cell)
        return;
    const int cap = 4;
    const int width = static_cast<int>(cell->GetWidth());
    const int height = static_cast<int>(cell->GetHeight());
    Gdiplus::Graphics graphics(dc);
    if (IsVertical()) {
        if (thumb.bottom - thumb.top < 1)
            return;
        DrawTiled(graphics, cell, RECT{thumb.left, thumb.top, thumb.right, thumb.top + cap}, 0, 0,
                  width, cap);
        DrawTiled(graphics, cell, RECT{thumb.left, thumb.bottom - cap, thumb.right, thumb.bottom},
                  0, height - cap, width, cap);
        DrawTiled(graphics, cell,
                  RECT{thumb.left, thumb.top + cap, thumb.right, thumb.bottom - cap}, 0, cap, width,
                  height - 2 * cap);
    } else {
        if (thumb.right - thumb.left < 1)
            return;
        DrawTiled(graphics, cell, RECT{thumb.left, thumb.top, thumb.left + cap, thumb.bottom}, 0, 0,
                  cap, height);
        DrawTiled(graphics, cell, RECT{thumb.right - cap, thumb.top, thumb.right, thumb.bottom},
                  width - cap, 0, cap, height);
        DrawTiled(graphics, cell,
                  RECT{thumb.left + cap, thumb.top, thumb.right - cap, thumb.bottom}, cap, 0,
                  width - 2 * cap, height);
    }
}

void CSkinScrollBar::DrawPartNow(int part, int row) {
    fw::WindowDc dc(m_hWnd);
    DrawPart(dc.Get(), part, row);
}

void CSkinScrollBar::SendScroll(int code, int position) {
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageW(parent, IsVertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

POINT CSkinScrollBar::PointerInClient() const {
    POINT point = {};
    GetCursorPos(&point);
    ScreenToClient(point);
    return point;
}

void CSkinScrollBar::OnPaint() {
    fw::PaintDc paint(m_hWnd);
    const int row = IsWindowEnabled() ? RowNormal : RowDisabled;
    Recalc();
    for (int part : {PartArrow1, PartPageUp, PartThumb, PartPageDown, PartArrow2})
        DrawPart(paint.Get(), part, row);
}

void CSkinScrollBar::OnSetScrollInfo(BOOL redraw, const SCROLLINFO* info) {
    if (!info)
        return;
    if (info->fMask & SIF_PAGE)
        m_si.nPage = info->nPage;
    if (info->fMask & SIF_POS)
        m_si.nPos = info->nPos;
    if (info->fMask & SIF_RANGE) {
        m_si.nMin = info->nMin;
        m_si.nMax = info->nMax;
    }
    if (!redraw || !HasPicture() || !IsWindowVisible())
        return;
    Recalc();
    fw::WindowDc dc(m_hWnd);
    if (IsWindowEnabled()) {
        for (int part : {PartPageUp, PartThumb, PartPageDown})
            DrawPart(dc.Get(), part, m_nPressedPart == part ? RowPressed : RowNormal);
    } else {
        for (int part : {PartPageUp, PartThumb, PartPageDown})
            DrawPart(dc.Get(), part, RowDisabled);
    }
}

void CSkinScrollBar::OnGetScrollInfo(SCROLLINFO* info) const {
    if (!info)
        return;
    if (info->fMask & SIF_PAGE)
        info->nPage = m_si.nPage;
    if (info->fMask & SIF_POS)
        info->nPos = m_si.nPos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = m_si.nTrackPos;
    if (info->fMask & SIF_RANGE) {
        info->nMin = m_si.nMin;
        info->nMax = m_si.nMax;
    }
}

void CSkinScrollBar::OnLButtonDown(POINT point) {
    ::SetCapture(m_hWnd);
    Recalc();
    const int part = m_parts.HitTest(point);
    if (part == PartThumb) {
        m_ptDragStart = point;
        m_bDragging = TRUE;
        m_si.nTrackPos = m_si.nPos;
        m_nDragStartPos = m_si.nPos;
        m_nPressedPart = PartThumb;
        DrawPartNow(PartThumb, RowPressed);
        return;
    }
    m_nPressedPart = part;
    if (part == PartNone)
        return;
    SendScroll(part);
    if (part == PartArrow1 || part == PartArrow2)
        DrawPartNow(part, RowPressed);
    SetTimer(kDelayTimer, 500);
}

void CSkinScrollBar::StopRepeat() {
    KillTimer(kDelayTimer);
    KillTimer(kRepeatTimer);
}

void CSkinScrollBar::OnLButtonUp() {
    if (m_bDragging) {
        m_bDragging = FALSE;
        DrawPartNow(PartThumb, RowNormal);
    } else if (m_nPressedPart != PartNone) {
        StopRepeat();
        DrawPartNow(m_nPressedPart, RowNormal);
    }
    m_nPressedPart = PartNone;
    m_nHotPart = PartNone;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
}

void CSkinScrollBar::OnTimer(UINT_PTR id) {
    if (id == kDelayTimer) {
        KillTimer(kDelayTimer);
        SetTimer(kRepeatTimer, 100);
        return;
    }
    if (id != kRepeatTimer)
        return;
    bool stop = false;
    switch (m_nPressedPart) {
    case PartArrow1:
        stop = m_si.nPos == m_si.nMin;
        break;
    case PartArrow2:
        stop = m_si.nPos == m_si.nMax;
        break;
    case PartPageUp:
    case PartPageDown:
        // Paging ends once the thumb has reached the pointer (or passed it).
        Recalc();
        stop = m_parts.HitTest(PointerInClient()) != m_nPressedPart;
        break;
    default:
        stop = true;
        break;
    }
    if (stop)
        KillTimer(kRepeatTimer);
    else
        SendScroll(m_nPressedPart);
}

void CSkinScrollBar::OnMouseMove(POINT point) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 100};
        m_bTracking = TrackMouseEvent(&track);
    }
    if (m_bDragging) {
        const int delta = IsVertical() ? point.y - m_ptDragStart.y : point.x - m_ptDragStart.x;
        const int pos = DragPosition(m_nLength, m_nArrowSize, m_si, delta, m_nDragStartPos);
        if (pos == m_si.nTrackPos)
            return;
        m_si.nTrackPos = pos;
        SendScroll(SB_THUMBTRACK, pos);
        return;
    }
    if (m_nPressedPart != PartNone)
        return;
    Recalc();
    const int part = m_parts.HitTest(point);
    if (part == PartNone || part == m_nHotPart)
        return;
    fw::WindowDc dc(m_hWnd);
    DrawPart(dc.Get(), m_nHotPart, RowNormal);
    DrawPart(dc.Get(), part, RowHot);
    m_nHotPart = part;
}

void CSkinScrollBar::OnMouseLeave() {
    m_bTracking = FALSE;
    DrawPartNow(m_nHotPart, RowNormal);
    m_nHotPart = PartNone;
}

LRESULT CSkinScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CREATE: {
        LRESULT result = CScrollBar::WindowProc(message, wParam, lParam);
        LoadSkin();
        return result;
    }
    case WM_NCDESTROY:
        m_picture.reset();
        break;
    case SBM_SETSCROLLINFO:
        OnSetScrollInfo(static_cast<BOOL>(wParam), reinterpret_cast<const SCROLLINFO*>(lParam));
        return 1;
    case SBM_GETSCROLLINFO:
        OnGetScrollInfo(reinterpret_cast<SCROLLINFO*>(lParam));
        return 1;
    case WM_PAINT:
        if (!HasPicture())
            break;
        OnPaint();
        return 0;
    case WM_ENABLE:
        // The system bar would paint itself in its own look here.
        if (!HasPicture())
            break;
        Invalidate(FALSE);
        return 0;
    case WM_SIZE: {
        LRESULT result = CScrollBar::WindowProc(message, wParam, lParam);
        m_nLength = IsVertical() ? HIWORD(lParam) : LOWORD(lParam);
        return result;
    }
    case WM_LBUTTONDOWN:
        OnLButtonDown(point);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(point);
        OnLButtonUp();
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(point);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CAPTURECHANGED:
        // Someone else took the mouse: nothing is held any more.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd && m_nPressedPart != PartNone) {
            StopRepeat();
            m_bDragging = FALSE;
            m_nPressedPart = PartNone;
            Invalidate(FALSE);
        }
        return 0;
    }
    return CScrollBar::WindowProc(message, wParam, lParam);
}
