#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

class CStatic : public CWnd {
public:
    BOOL Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, WC_STATICW, text, style, rect, parent ? parent->m_hWnd : nullptr, id);
    }
    HBITMAP SetBitmap(HBITMAP bitmap) const {
        return reinterpret_cast<HBITMAP>(
            SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
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
