#pragma once
// Owner-drawn combo box drawn from the dialog's pictures, with its own drop button, a
// skinned selection field and its drop-down list shown in a skinned frame below it.
#include "framework/CComboBox.h"
#include "skin/CSkinComboBox_Edit.h"
#include "skin/CSkinControl.h"
#include "skin/CSkinListBox.h"

class CSkinComboBox : public CSkinControl<CComboBox> {
public:
    CSkinComboBox();
    ~CSkinComboBox() override;

    void OnInitSkin() override;
    void OnHoverChanged(BOOL hover) override;
    // Places the selection field and the drop button; windows call it after changing the
    // button width.
    void RecalcLayout();

    const RECT& GetButtonRect() const { return m_rcButton; }

    int m_nButtonWidth = 17;
    CSkinComboBox_Edit m_edit;
    CSkinListBox m_list;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The drop-down list draws and measures its own items.
    void DrawItem(DRAWITEMSTRUCT*) override {}
    void MeasureItem(MEASUREITEMSTRUCT*) override {}
    virtual int CompareItem(const COMPAREITEMSTRUCT* item);

    BOOL m_bButtonHover = FALSE;
    BOOL m_bButtonDown = FALSE;
    BOOL m_bTracking = FALSE;
    RECT m_rcButton = {};
    HWND m_hWndList = nullptr;

private:
    void RedrawButton() { RedrawWindow(&m_rcButton, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
    bool EditIsReadOnly() const;
    void OnPaint();
    void OnMouseMove(POINT point);
    void OnMouseLeave();
    void OnLButtonDown();
    void OnDropDown();
};
