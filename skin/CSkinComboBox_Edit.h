#pragma once
// The selection field of a skinned combo box. Made read-only, it acts as a face of a pure
// drop-down list: it never shows a selection, never keeps the focus, and a click on it
// opens or closes the list.
#include "framework/CEdit.h"
#include "framework/Handle.h"
#include "skin/CSkinControl.h"

class CSkinComboBox_Edit : public CSkinControl<CEdit> {
public:
    CSkinComboBox_Edit();
    ~CSkinComboBox_Edit() override;

    void OnInitSkin() override;
    void OnHoverChanged(BOOL hover) override;
    // The combo box's parent (the dialog).
    CWnd* GetSkinParent() override;

    int m_nTextHeight = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    fw::UniqueBrush m_brBackground;
    fw::UniqueFont m_font;

private:
    bool IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
    void RebuildBackground(SkinState state);
    BOOL EraseBackground(HDC dc);
};
