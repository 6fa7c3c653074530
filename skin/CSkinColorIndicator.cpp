#include "skin/CSkinColorIndicator.h"

CSkinColorIndicator::CSkinColorIndicator() {
    SetTextFormat(DT_CENTER | DT_VCENTER);
}

void CSkinColorIndicator::OnInitSkin() {
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW | SS_NOTIFY);
}

void CSkinColorIndicator::DrawItem(DRAWITEMSTRUCT* item) {
    const bool enabled = IsWindowEnabled() != FALSE;
    const RECT& r = item->rcItem;
    Gdiplus::Graphics graphics(item->hDC);
    DrawStateImage(graphics, !enabled ? Disable : m_bHover ? Hover : Normal, r);

    Gdiplus::SolidBrush swatch(Gdiplus::Color(
        255, GetRValue(m_clrIndicator), GetGValue(m_clrIndicator), GetBValue(m_clrIndicator)));
    graphics.FillRectangle(&swatch, static_cast<INT>(r.left + 4), static_cast<INT>(r.top + 4),
                           static_cast<INT>(r.right - r.left - 8),
                           static_cast<INT>(r.bottom - r.top - 8));

    DrawWindowText(graphics,
                   Gdiplus::RectF(static_cast<float>(r.left + 2), static_cast<float>(r.top + 2),
                                  static_cast<float>(r.right - r.left - 4),
                                  static_cast<float>(r.bottom - r.top - 4)),
                   m_clrText[enabled ? Normal : Disable]);
}
