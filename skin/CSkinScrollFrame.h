#pragma once
// Frame that takes a list or edit control's place: the control sits in an inner window that
// clips its system scroll bars away, two skinned bars lie over that strip, and a margin is
// drawn around it. The frame watches the control through its own entry in the control's
// subclass chain (the frame's address is that entry's data), so the control's own object
// may be unsubclassed before or after the frame lets go. The frame owns itself: it is
// deleted when its window is gone.
#include "framework/CWnd.h"
#include "skin/CSkinControl.h"
#include "skin/CSkinScrollBar.h"

class CSkinScrollFrame;

// Wraps the control in a new frame; null when the frame cannot be made.
CSkinScrollFrame* WrapInScrollFrame(CWnd* control);
// Puts the control back where the frame was and destroys the frame (on the control's
// WM_DESTROY).
void UnwrapScrollFrame(CWnd* control);

class CSkinScrollFrame : public CSkinControl<CWnd> {
public:
    CSkinScrollFrame() = default;

    // The margin is drawn from the frame's own picture instead of the dialog's.
    void LoadComboListImage(const wchar_t* path = L".\\res\\ComboList_Nomal.bmp");

    void OnHoverChanged(BOOL hover) override;

    // The wrapped control: the first child of the inner window.
    HWND GetControl() const;

    CWnd m_wndInner;
    int m_nInset = 8;
    CSkinScrollBar m_hScroll;
    CSkinScrollBar m_vScroll;
    BOOL m_bUseDialogImages = TRUE;
    Picture m_ownImage[2];

    static constexpr UINT kInnerId = 200;
    static constexpr UINT kHScrollId = 101;
    static constexpr UINT kVScrollId = 102;
    static constexpr UINT_PTR kSyncTimer = 300;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override { delete this; }

private:
    friend CSkinScrollFrame* WrapInScrollFrame(CWnd* control);
    friend void UnwrapScrollFrame(CWnd* control);

    static constexpr UINT_PTR kHookId = 1;
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR frame);
    // The frame that wraps the control, or null.
    static CSkinScrollFrame* FrameOf(HWND control);
    LRESULT OnControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void KeepControlInPlace(WINDOWPOS& pos);
    void PlaceBars(HWND control, RECT& client);
    LRESULT OnFrameLayout(BOOL leftScrollBar);
    // Tells the control (WM_SKIN_FRAMELAYOUT) that it now lies elsewhere in the dialog, so
    // what it cut from the dialog's picture is cut again.
    void NotifyControlPlaced(HWND control);
    BOOL OnEraseBackground(HDC dc);
    void OnScroll(UINT message, WPARAM wParam, HWND bar);
    void OnSize(int cx, int cy);
    void SyncBar(CSkinScrollBar& bar, int direction, bool setEnabled);
    void SyncVisibleBars();

    BOOL m_bBusy = FALSE;
    BOOL m_bPlacing = FALSE;    // the frame itself moves or sizes the control
    bool m_bPopup = false;      // wraps a pop-up (a combo box's drop-down list)
    bool m_bDestroying = false; // the frame's own window is going away
};
