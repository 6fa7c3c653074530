#include "skin/CSkinStatic.h"

void CSkinStatic::OnInitSkin() {
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
}

void CSkinStatic::DrawItem(DRAWITEMSTRUCT* item) {
    const bool enabled = IsWindowEnabled() != FALSE;
    Gdiplus::Graphics graphics(item->hDC);
    DrawStateImage(graphics, enabled ? Normal : Disable, item->rcItem);
    const RECT& r = item->rcItem;
    DrawWindowText(graphics,
                   Gdiplus::RectF(static_cast<float>(r.left), static_cast<float>(r.top),
                                  static_cast<float>(r.right - r.left),
                                  static_cast<float>(r.bottom - r.top)),
                   m_clrText[enabled ? Normal : Disable]);
}
