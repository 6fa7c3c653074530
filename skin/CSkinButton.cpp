#include "skin/CSkinButton.h"

namespace {
enum Frame { FrameNormal = 0, FrameDisabled = 1, FrameHover = 2, FramePressed = 3 };
}

CSkinButton::CSkinButton() {
    SetTextFormat(DT_CENTER | DT_VCENTER);
}

void CSkinButton::SetBitmap(const Picture& source, int width, int height, int column) {
    m_image = fw::IsDrawable(source) ? skin::CutPicture(source, column * width, 0, width,
                                                        static_cast<int>(source->GetHeight()))
                                     : Picture();
    m_nFrameWidth = width;
    m_nFrameHeight = height;
}

void CSkinButton::OnInitSkin() {
    ModifyStyle(0, BS_OWNERDRAW);
}

void CSkinButton::DrawItem(DRAWITEMSTRUCT* item) {
    const bool disabled = item->itemState & ODS_DISABLED;
    const bool pressed = item->itemState & ODS_SELECTED;
    Gdiplus::Graphics graphics(item->hDC);

    if (m_image) {
        Frame frame = disabled   ? FrameDisabled
                      : pressed  ? FramePressed
                      : m_bHover ? FrameHover
                                 : FrameNormal;
        skin::DrawPart(graphics, m_image, item->rcItem, 0, frame * m_nFrameHeight, m_nFrameWidth,
                       m_nFrameHeight);
    } else {
        SkinState state = disabled ? Disable : pressed ? Selected : m_bHover ? Hover : Normal;
        DrawStateImage(graphics, state, item->rcItem);
    }

    Gdiplus::ARGB color = disabled                ? m_clrText[Disable]
                          : (pressed || m_bHover) ? m_clrText[Hover]
                                                  : m_clrText[Normal];
    const RECT& r = item->rcItem;
    DrawWindowText(graphics,
                   Gdiplus::RectF(static_cast<float>(r.left), static_cast<float>(r.top),
                                  static_cast<float>(r.right - r.left),
                                  static_cast<float>(r.bottom - r.top)),
                   color);
}
