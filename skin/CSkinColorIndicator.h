#pragma once
// Label with a colour swatch; it takes the pointer (hover) unlike plain labels.
#include "skin/CSkinStatic.h"

class CSkinColorIndicator : public CSkinStatic {
public:
    CSkinColorIndicator();

    void OnInitSkin() override;
    // The caller redraws the control.
    void SetIndicatorColor(COLORREF colour) { m_clrIndicator = colour; }

    COLORREF m_clrIndicator = 0;

protected:
    void DrawItem(DRAWITEMSTRUCT* item) override;
};
