#pragma once
#include <windows.h>

// The order of a dialog's picture lists, a control's picture indexes and its text colours.
enum SkinState {
    Normal = 0,
    Disable = 1,
    DisableSelected = 2,
    Hover = 3,
    HoverSelected = 4,
    Selected = 5,
};
constexpr int kSkinStateCount = 6;

// wParam 1 = pointer entered, 0 = left; lParam the control's window (or 0 when posted to an
// inner edit or list to rebuild its background).
constexpr UINT WM_SKIN_HOVER = WM_USER + 102;
// To a scroll frame: lay out the control it wraps. To the wrapped control: the frame has
// placed it, so backgrounds cut from the dialog's picture are cut again.
constexpr UINT WM_SKIN_FRAMELAYOUT = WM_USER + 101;
// An in-place edit of an editable list ended: wParam item index, lParam the list window.
constexpr UINT WM_SKIN_ITEMEDITED = WM_USER + 202;
