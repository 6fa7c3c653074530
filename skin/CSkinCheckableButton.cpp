#include "skin/CSkinCheckableButton.h"

void CSkinCheckableButton::OnInitSkin() {
    ModifyStyle(0, BS_OWNERDRAW | BS_NOTIFY);
}

void CSkinCheckableButton::DrawItem(DRAWITEMSTRUCT* item) {
    const bool disabled = item->itemState & ODS_DISABLED;
    SkinState state;
    if (m_bChecked)
        state = disabled ? DisableSelected : m_bHover ? HoverSelected : Selected;
    else
        state = disabled ? Disable : m_bHover ? Hover : Normal;

    Gdiplus::Graphics graphics(item->hDC);
    DrawStateImage(graphics, state, item->rcItem);

    const RECT& r = item->rcItem;
    const int width = r.right - r.left;
    if (m_nTextIndent >= width)
        return;
    Gdiplus::ARGB color = disabled                        ? m_clrText[Disable]
                          : (m_bChecked == 1 || m_bHover) ? m_clrText[Hover]
                                                          : m_clrText[Normal];
    DrawWindowText(graphics,
                   Gdiplus::RectF(static_cast<float>(r.left + m_nTextIndent),
                                  static_cast<float>(r.top),
                                  static_cast<float>(width - m_nTextIndent),
                                  static_cast<float>(r.bottom - r.top)),
                   color);
}
