#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

// Push button, check box or radio button.
class CButton : public CWnd {
public:
    BOOL Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, WC_BUTTONW, caption, style, rect, parent ? parent->m_hWnd : nullptr, id);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) const { SendMessage(BM_SETSTATE, highlight); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) const {
        SendMessage(BM_SETSTYLE, style, redraw);
    }

protected:
    // Owner-drawn controls draw here (the parent's WM_DRAWITEM, reflected).
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_DRAWITEM) {
            DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            *result = TRUE;
            return TRUE;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
};
