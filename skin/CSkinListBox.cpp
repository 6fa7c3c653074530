#include "skin/CSkinListBox.h"

#include "skin/SkinBrush.h"

#include <windowsx.h>

namespace {
enum Frame {
    FrameNormal = 0,
    FrameDisabled = 1,
    FrameDisabledSelected = 2,
    FrameHot = 3,
    FrameHotSelected = 4,
    FrameSelected = 5,
    FrameBackground = 6,
};
constexpr int kFrameCount = 7;
} // namespace

CSkinListBox::CSkinListBox() {
    m_bTrackHover = FALSE; // the scroll frame tells the list when it is pointed at
}

CSkinListBox::~CSkinListBox() = default;

void CSkinListBox::LoadItemImage(const wchar_t* path) {
    m_itemImage = fw::LoadPicture(path);
    m_nItemHeight =
        fw::IsDrawable(m_itemImage) ? static_cast<int>(m_itemImage->GetHeight()) / kFrameCount : 0;
    // A list from a dialog template was measured before it was skinned.
    if (m_hWnd && m_nItemHeight > 0)
        SetItemHeight(0, static_cast<UINT>(m_nItemHeight));
}

void CSkinListBox::OnInitSkin() {
    m_pSkinParent = GetParent();
    if (m_nItemHeight > 0)
        SetItemHeight(0, static_cast<UINT>(m_nItemHeight));
}

void CSkinListBox::DrawFrame(Gdiplus::Graphics& graphics, int frame, const RECT& target) const {
    if (!fw::IsDrawable(m_itemImage) || m_nItemHeight <= 0)
        return;
    skin::DrawPart(graphics, m_itemImage, target, 0, frame * m_nItemHeight,
                   static_cast<int>(m_itemImage->GetWidth()), m_nItemHeight);
}

void CSkinListBox::MeasureItem(MEASUREITEMSTRUCT* item) {
    item->itemHeight = static_cast<UINT>(m_nItemHeight);
}

void CSkinListBox::DrawItem(DRAWITEMSTRUCT* item) {
    if (static_cast<int>(item->itemID) < 0)
        return;
    const int index = static_cast<int>(item->itemID);
    const std::wstring text = GetText(index);
    if (text.empty())
        return;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool hot = index == m_nHotItem;
    int frame;
    SkinState colour;
    if (selected && disabled) {
        frame = FrameDisabledSelected;
        colour = DisableSelected;
    } else if (selected && hot) {
        frame = FrameHotSelected;
        colour = HoverSelected;
    } else if (selected) {
        frame = FrameSelected;
        colour = Selected;
    } else if (disabled) {
        frame = FrameDisabled;
        colour = Disable;
    } else if (hot) {
        frame = FrameHot;
        colour = Hover;
    } else {
        frame = FrameNormal;
        colour = Normal;
    }
    Gdiplus::Graphics graphics(item->hDC);
    DrawFrame(graphics, frame, item->rcItem);
    skin::DrawText(graphics, text, m_strFontName, m_fFontSize, m_clrText[colour], m_format,
                   Gdiplus::RectF(static_cast<float>(m_nTextLeft),
                                  static_cast<float>(item->rcItem.top), 0.0f, 0.0f));
}

void CSkinListBox::RebuildBackground(SkinState dialogState) {
    if (m_bUseDialogImages) {
        skin::RebuildBrush(m_brBackground, GetStateImage(dialogState));
        return;
    }
    const int frame = dialogState == Disable ? FrameDisabled : FrameBackground;
    if (!fw::IsDrawable(m_itemImage) || m_nItemHeight <= 0)
        return;
    skin::RebuildBrush(m_brBackground,
                       skin::CutPicture(m_itemImage, 0, frame * m_nItemHeight,
                                        static_cast<int>(m_itemImage->GetWidth()), m_nItemHeight));
}

void CSkinListBox::RebuildBackground() {
    RebuildBackground(IsWindowEnabled() ? Normal : Disable);
}

void CSkinListBox::RedrawOldHotItem() {
    if (m_nPrevHotItem < 0)
        return;
    RECT rect = {};
    if (GetItemRect(m_nPrevHotItem, &rect) != LB_ERR)
        RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSkinListBox::InvalidateHotItem(const RECT* itemRect) {
    if (m_nHotItem >= 0 && itemRect)
        InvalidateRect(itemRect, TRUE);
}

void CSkinListBox::OnMouseMove(POINT point) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 100};
        m_bTracking = TrackMouseEvent(&track);
    }
    BOOL outside = FALSE;
    const int nearest = static_cast<int>(ItemFromPoint(point, outside));
    RECT rect = {};
    const bool onItem =
        GetCount() > 0 && GetItemRect(nearest, &rect) != LB_ERR && PtInRect(&rect, point);
    m_nHotItem = onItem ? nearest : kNoItem;
    if (m_nHotItem == m_nPrevHotItem)
        return;
    RedrawOldHotItem();
    InvalidateHotItem(&rect);
    m_nPrevHotItem = m_nHotItem;
}

void CSkinListBox::OnMouseLeave() {
    m_nHotItem = kOutsideList;
    RedrawOldHotItem();
    m_nPrevHotItem = kOutsideList;
    m_bTracking = FALSE;
}

BOOL CSkinListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_CTLCOLORLISTBOX) {
        if (!m_brBackground) {
            if (m_bUseDialogImages)
                RebuildBackground();
            else
                RebuildBackground(Normal);
        }
        *result = reinterpret_cast<LRESULT>(m_brBackground.get());
        return static_cast<bool>(m_brBackground);
    }
    return CSkinContianerCtrl<CListBox>::OnChildNotify(message, wParam, lParam, result);
}

LRESULT CSkinListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        // The system list never sees the pointer move: only the lit frame follows it.
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_ERASEBKGND:
        // The system list fills what its items leave free with the background brush here.
        return DefWindowProc(message, wParam, lParam);
    case WM_ENABLE: {
        LRESULT result = CSkinContianerCtrl<CListBox>::WindowProc(message, wParam, lParam);
        RebuildBackground(wParam ? Normal : Disable);
        RedrawAll();
        return result;
    }
    case WM_SKIN_FRAMELAYOUT:
        // The frame has placed the list: a brush cut before (at wrapping time, from the
        // frame's corner) shows the wrong part of the picture.
        RebuildBackground(!IsWindowEnabled() ? Disable : m_bHover ? Hover : Normal);
        return 0;
    case WM_SKIN_HOVER:
        // Only the frame's notice (lParam 0); the item buttons report their own hover here.
        if (lParam != 0)
            return 0;
        m_bHover = static_cast<BOOL>(wParam);
        RebuildBackground(m_bHover ? Hover : Normal);
        RedrawAll();
        return 0;
    }
    return CSkinContianerCtrl<CListBox>::WindowProc(message, wParam, lParam);
}
