#pragma once
// Edit control on a background cut from the dialog's pictures, in the skin's font, with its
// scroll bars in a skinned frame. Its text is drawn transparently, so every change of text
// or scroll position repaints the whole background.
#include "framework/CEdit.h"
#include "framework/Handle.h"
#include "skin/CSkinContianerCtrl.h"

class CSkinEdit : public CSkinContianerCtrl<CEdit> {
public:
    CSkinEdit();
    ~CSkinEdit() override;

    void OnInitSkin() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    fw::UniqueBrush m_brBackground;
    fw::UniqueFont m_font;

private:
    void RebuildBackground(SkinState state);
    BOOL EraseBackground(HDC dc);
    void RedrawAll() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }
};
