#include "skin/SkinText.h"

namespace skin {

void ApplyTextFormat(UINT flags, Gdiplus::StringFormat& format) {
    if (flags & DT_CENTER)
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
    else if (flags & DT_RIGHT)
        format.SetAlignment(Gdiplus::StringAlignmentFar);
    if (flags & DT_BOTTOM)
        format.SetLineAlignment(Gdiplus::StringAlignmentFar);
    else if (flags & DT_VCENTER)
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
}

void DrawText(Gdiplus::Graphics& graphics, const std::wstring& text, const std::wstring& face,
              float sizePx, Gdiplus::ARGB color, const Gdiplus::StringFormat& format,
              const Gdiplus::RectF& layout) {
    if (text.empty())
        return;
    Gdiplus::FontFamily family(face.c_str());
    Gdiplus::Font font(&family, sizePx, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, layout, &format,
                        &brush);
}

namespace {
// Whole-pixel copies: a picture cut for a control lands on it pixel for pixel.
void PrepareForCopy(Gdiplus::Graphics& graphics) {
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
}
} // namespace

void DrawStretched(Gdiplus::Graphics& graphics, const Picture& picture, const RECT& target) {
    if (!fw::IsDrawable(picture))
        return;
    DrawPart(graphics, picture, target, 0, 0, static_cast<int>(picture->GetWidth()),
             static_cast<int>(picture->GetHeight()));
}

void DrawPart(Gdiplus::Graphics& graphics, const Picture& picture, const RECT& target, int sourceX,
              int sourceY, int sourceWidth, int sourceHeight) {
    if (!fw::IsDrawable(picture) || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    PrepareForCopy(graphics);
    Gdiplus::Rect destination(target.left, target.top, target.right - target.left,
                              target.bottom - target.top);
    graphics.DrawImage(picture.get(), destination, sourceX, sourceY, sourceWidth, sourceHeight,
                       Gdiplus::UnitPixel);
}

COLORREF ToColorRef(Gdiplus::ARGB color) {
    return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

bool CanCut(const Picture& source, int x, int y, int width, int height) {
    return fw::IsDrawable(source) && width > 0 && height > 0 && x >= 0 && y >= 0 &&
           x + width <= static_cast<int>(source->GetWidth()) &&
           y + height <= static_cast<int>(source->GetHeight());
}

Picture CutPicture(const Picture& source, int x, int y, int width, int height) {
    if (!CanCut(source, x, y, width, height))
        return Picture();
    Picture cut(source->Clone(x, y, width, height, source->GetPixelFormat()));
    return fw::IsDrawable(cut) ? cut : Picture();
}

} // namespace skin
