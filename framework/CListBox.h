#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

#include <string>

class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, WC_LISTBOXW, L"", style, rect, parent ? parent->m_hWnd : nullptr, id);
    }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int AddString(const wchar_t* text) const {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int InsertString(int index, const wchar_t* text) const {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(UINT index) const {
        return static_cast<int>(SendMessage(LB_DELETESTRING, index));
    }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) const {
        return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    std::wstring GetText(int index) const {
        LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (length < 0)
            return std::wstring();
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied =
            SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        return text;
    }
    // Item data is pointer-sized.
    LRESULT GetItemData(int index) const {
        return SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index));
    }
    int SetItemData(int index, LPARAM data) const {
        return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), data));
    }
    int GetItemHeight(int index) const {
        return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
    }
    int SetItemHeight(int index, UINT height) const {
        return static_cast<int>(
            SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0)));
    }
    int GetItemRect(int index, RECT* rect) const {
        return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(rect)));
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) const {
        return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
    }
    // The nearest item to a client point; outside is TRUE when the point is beyond the items.
    UINT ItemFromPoint(POINT point, BOOL& outside) const {
        DWORD result =
            static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
        outside = HIWORD(result);
        return LOWORD(result);
    }

protected:
    // Owner-drawn controls draw and measure here (the parent's messages, reflected).
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    virtual void MeasureItem(MEASUREITEMSTRUCT*) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        switch (message) {
        case WM_DRAWITEM:
            DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            *result = TRUE;
            return TRUE;
        case WM_MEASUREITEM:
            MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            *result = TRUE;
            return TRUE;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
};
