#include "tools/skingen/ButtonPagePictures.h"

#include "tools/skingen/Canvas.h"
#include "tools/skingen/ControlPainter.h"
#include "tools/skingen/MaskPainter.h"
#include "tools/skingen/MouseDrawing.h"
#include "tools/skingen/PictureFolder.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/Theme.h"
#include "tools/skingen/WindowSizes.h"

#include <array>

namespace skingen {
namespace {

using namespace theme;
using namespace sizes;

// Profile order: left, middle, right, button 4, button 5.
const std::array<Gdiplus::Rect, 5> kHotSpots = {
    Gdiplus::Rect(621, 70, 32, 34), Gdiplus::Rect(663, 70, 32, 34), Gdiplus::Rect(710, 70, 32, 34),
    Gdiplus::Rect(605, 150, 32, 34), Gdiplus::Rect(732, 151, 32, 34)};
constexpr std::array<int, 5> kCheckBoxTop = {10, 46, 83, 122, 159};
constexpr std::array<int, 5> kComboTop = {8, 44, 81, 120, 156};
// Closed height of a combo whose selection field is 24 pixels high.
constexpr int kComboHeight = 30;

void PaintButtonPage(Canvas& canvas, SkinLook look) {
    Gdiplus::Graphics& g = canvas.Graphics();
    shapes::FillRect(g, Gdiplus::RectF(0, 0, kButtonPageWidth, kButtonPageHeight), kPanel);
    MouseDrawing(kHotSpots).Paint(g);
    shapes::Line(g, 0, 200.5f, 540, 200.5f, kPanelEdge);

    ControlPainter controls(canvas);
    const SkinLook plain = WithoutSelection(look);
    for (size_t i = 0; i < kHotSpots.size(); ++i) {
        controls.CheckBox(Gdiplus::Rect(0, kCheckBoxTop[i], 84, 28), look);
        // The third button's combo has a drop button one pixel narrower.
        controls.ComboFace(Gdiplus::Rect(119, kComboTop[i], 176, kComboHeight), i == 2 ? 24 : 25,
                           plain);
        controls.HotSpot(kHotSpots[i], look);
    }
    controls.PushButton(Gdiplus::Rect(86, 210, 78, 34), look);
    controls.PushButton(Gdiplus::Rect(179, 210, 78, 34), look);
    controls.Field(Gdiplus::Rect(92, 254, 127, 24), plain);
    controls.Field(Gdiplus::Rect(309, 254, 127, 24), plain);
    // Wide enough for "Launch Application" in the skin font.
    controls.ComboFace(Gdiplus::Rect(86, 288, 149, kComboHeight), 25, plain);
}

} // namespace

void WriteButtonPagePictures(PictureFolder& folder) {
    // The disabled picture also serves the disabled-and-checked state.
    folder.WriteLooks({{L"ButtonPage_Normal.bmp", SkinLook::Normal},
                       {L"ButtonPage_Disable.bmp", SkinLook::Disable},
                       {L"ButtonPage_Hover.bmp", SkinLook::Hover},
                       {L"ButtonPage_HoverSelected.bmp", SkinLook::HoverSelected},
                       {L"ButtonPage_Selected.bmp", SkinLook::Selected}},
                      kButtonPageWidth, kButtonPageHeight, PaintButtonPage);
    folder.Write(L"ButtonPage_Mask.bmp", kButtonPageWidth, kButtonPageHeight,
                 [](Canvas& canvas) { MaskPainter mask(canvas); });
}

} // namespace skingen
