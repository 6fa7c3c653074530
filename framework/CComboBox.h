#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

#include <string>

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, WC_COMBOBOXW, L"", style, rect, parent ? parent->m_hWnd : nullptr, id);
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int AddString(const wchar_t* text) const {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int InsertString(int index, const wchar_t* text) const {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(UINT index) const {
        return static_cast<int>(SendMessage(CB_DELETESTRING, index));
    }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) const {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    std::wstring GetLBText(int index) const {
        LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length < 0)
            return std::wstring();
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(&text[0]));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        return text;
    }
    LRESULT GetItemData(int index) const {
        return SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index));
    }
    int SetItemData(int index, LPARAM data) const {
        return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), data));
    }
    // index -1 is the selection field, 0 the list items.
    int SetItemHeight(int index, UINT height) const {
        return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height));
    }
    int GetItemHeight(int index) const {
        return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
    }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    void ShowDropDown(BOOL show = TRUE) const { SendMessage(CB_SHOWDROPDOWN, show); }
    RECT GetDroppedControlRect() const {
        RECT rect = {};
        SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // The parts of the combo box: its edit or field, and its drop-down list.
    BOOL GetComboBoxInfo(COMBOBOXINFO* info) const {
        info->cbSize = sizeof(COMBOBOXINFO);
        return ::GetComboBoxInfo(m_hWnd, info);
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
