#pragma once
// Owner-drawn list box: items from a strip of seven frames (normal, disabled, disabled and
// selected, pointed at, pointed at and selected, selected, background), the item under the
// pointer lit, its background a brush made from the dialog's pictures or from the strip.
#include "framework/CListBox.h"
#include "framework/Handle.h"
#include "skin/CSkinContianerCtrl.h"

class CSkinListBox : public CSkinContianerCtrl<CListBox> {
public:
    CSkinListBox();
    ~CSkinListBox() override;

    // Loads the item strip; an item is one seventh of its height.
    void LoadItemImage(const wchar_t* path = L".\\res\\listback.bmp");

    void OnInitSkin() override;

    int GetItemFrameHeight() const { return m_nItemHeight; }
    int GetHotItem() const { return m_nHotItem; }

    Picture m_itemImage;
    int m_nItemHeight = 0;
    int m_nTextLeft = 0;
    BOOL m_bUseDialogImages = TRUE;

    static constexpr int kNoItem = -1;      // pointer over no item
    static constexpr int kOutsideList = -2; // pointer not in the list

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;
    void MeasureItem(MEASUREITEMSTRUCT* item) override;

    virtual void RedrawOldHotItem();
    virtual void InvalidateHotItem(const RECT* itemRect);

    // Pointer tracking; the editable list keeps its item lit over its own children.
    virtual void OnMouseLeave();
    void OnMouseMove(POINT point);
    // Rebuilds the background for the list's state (or the given dialog picture state).
    void RebuildBackground();
    void RebuildBackground(SkinState dialogState);
    void RedrawAll() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }
    // The frame, or an empty picture when the strip is not loaded.
    void DrawFrame(Gdiplus::Graphics& graphics, int frame, const RECT& target) const;

    int m_nPrevHotItem = kOutsideList;
    int m_nHotItem = kOutsideList;
    BOOL m_bTracking = FALSE;
    fw::UniqueBrush m_brBackground;
};
