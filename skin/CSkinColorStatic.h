#pragma once
// Horizontal colour-gradient bar that doubles as a colour scale: a window asks it for the
// colour the bar shows at a value.
#include "skin/CSkinStatic.h"

class CSkinColorStatic : public CSkinStatic {
public:
    // The colour at the value's position along the bar, read from the bar drawn off the
    // screen: the same whether the bar is shown, hidden or covered.
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

private:
    // The gradient for the current range over area (the client rectangle).
    void FillGradient(HDC dc, const RECT& area);
};
