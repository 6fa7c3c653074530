#include "skin/SkinFont.h"

#include "framework/DeviceContext.h"
#include "framework/Picture.h"

namespace skin {

fw::UniqueFont CreateGdiFont(const std::wstring& face, float sizePx) {
    Gdiplus::FontFamily family(face.c_str());
    Gdiplus::Font font(&family, sizePx, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    fw::WindowDc screen(nullptr);
    Gdiplus::Graphics graphics(screen.Get());
    LOGFONTW logFont = {};
    if (font.GetLogFontW(&graphics, &logFont) != Gdiplus::Ok)
        return fw::UniqueFont();
    return fw::UniqueFont(CreateFontIndirectW(&logFont));
}

} // namespace skin
