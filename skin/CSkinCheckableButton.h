#pragma once
// What check boxes and radio boxes share: the check state kept in the object (not in the
// system control), and drawing from the dialog's pictures with an indented label.
#include "framework/CButton.h"
#include "skin/CSkinControl.h"

class CSkinCheckableButton : public CSkinControl<CButton> {
public:
    int GetChecked() const { return m_bChecked; }

    void OnInitSkin() override;

protected:
    explicit CSkinCheckableButton(int textIndent) : m_nTextIndent(textIndent) {}
    void DrawItem(DRAWITEMSTRUCT* item) override;

    int m_bChecked = 0;

public:
    int m_nTextIndent;
};
