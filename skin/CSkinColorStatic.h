#pragma once
// Horizontal colour-gradient bar that doubles as a colour scale: a window asks it for the
// colour shown at a value.
#include "skin/CSkinStatic.h"

class CSkinColorStatic : public CSkinStatic {
public:
    // What is on the screen at the value's position along the bar.
    COLORREF GetColorAt(int value);

    // The four gradient colours for the current range (packed 32-bit arithmetic).
    void ComputeBlend();

    int m_nMin = 0;
    int m_nMax = 100;
    Gdiplus::ARGB m_clrStart = 0xFF124E79;
    Gdiplus::ARGB m_clrEnd = 0xFFEF242B;
    Gdiplus::ARGB m_clrBlend[4] = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
    float m_fBlendPos[4] = {0.0f, 0.33f, 0.66f, 1.0f};

protected:
    void DrawItem(DRAWITEMSTRUCT* item) override;
};
