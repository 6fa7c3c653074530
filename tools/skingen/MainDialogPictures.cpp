#include "tools/skingen/MainDialogPictures.h"

#include "tools/skingen/Canvas.h"
#include "tools/skingen/ControlPainter.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/MaskPainter.h"
#include "tools/skingen/MouseDrawing.h"
#include "tools/skingen/PictureFolder.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/TextPainter.h"
#include "tools/skingen/Theme.h"
#include "tools/skingen/WindowSizes.h"

namespace skingen {
namespace {

using namespace theme;
using namespace sizes;

constexpr int kCornerRadius = 10;

const Gdiplus::Rect kDeviceList(21, 88, 147, 174);
const Gdiplus::Rect kProfileList(21, 302, 147, 295);
const Gdiplus::Rect kNewButton(14, 606, 81, 33);
const Gdiplus::Rect kDeleteButton(98, 606, 81, 33);
// Closed height of a drop-down combo whose selection field is 26 pixels high.
const Gdiplus::Rect kLanguageCombo(957, 42, 90, 32);
const Gdiplus::Rect kMinimiseButton(989, 7, 24, 21);
const Gdiplus::Rect kHideButton(1019, 7, 24, 21);

void PaintTitleButton(Canvas& canvas, const Gdiplus::Rect& r, SkinLook look, bool minimise) {
    ControlPainter(canvas).PushButton(r, look);
    const Gdiplus::RectF box(r.X + (r.Width - 16) / 2.0f, r.Y + (r.Height - 16) / 2.0f, 16, 16);
    const ARGB colour = IsDisabled(look) ? kGlyphDisabled : IsHover(look) ? 0xFFFFFFFF : kGlyph;
    if (minimise)
        glyphs::Minimise(canvas.Graphics(), box, colour);
    else
        glyphs::ToTray(canvas.Graphics(), box, colour);
}

void PaintMainDialog(Canvas& canvas, SkinLook look) {
    Gdiplus::Graphics& g = canvas.Graphics();
    const float w = static_cast<float>(kMainWidth), h = static_cast<float>(kMainHeight);
    shapes::FillRect(g, Gdiplus::RectF(0, 0, w, h), kWindowBack);
    shapes::FillRounded(g, Gdiplus::RectF(0, 0, w, 42), 0, kTitleTop, kWindowBack);

    MouseDrawing::PaintSilhouette(g, Gdiplus::RectF(16, 9, 14, 22), kAccent, kAccentLight, 1.0f);
    TextPainter::Draw(canvas, L"GEARHOST", Gdiplus::Rect(38, 8, 200, 24), 14, kLabel, DT_VCENTER,
                      true);

    // Side bar with the device and profile lists; an accent tick before each label.
    shapes::FillRounded(g, Gdiplus::RectF(6, 44, 176, 612), 8, kSidebar, kSidebar);
    shapes::OutlineRounded(g, Gdiplus::RectF(6, 44, 176, 612), 8, kPanelEdge);
    shapes::FillRect(g, Gdiplus::RectF(12, 65, 3, 12), kAccent);
    shapes::FillRect(g, Gdiplus::RectF(12, 281, 3, 12), kAccent);

    // The module area looks like an empty module window, with a faint mouse above the
    // "no device" text.
    const Gdiplus::RectF modulePanel(kModuleLeft + 8.0f, kModuleTop + 33.0f, 848, 517);
    shapes::FillRect(g, modulePanel, kPanel);
    shapes::OutlineRounded(g, modulePanel, 0, kPanelEdge);
    MouseDrawing::PaintSilhouette(g, Gdiplus::RectF(515, 140, 90, 150), 0x0CFFFFFF, 0x30FFFFFF,
                                  2.0f);

    shapes::OutlineRounded(g, Gdiplus::RectF(0, 0, w, h), kCornerRadius, kWindowBorder);

    ControlPainter controls(canvas);
    controls.Field(kDeviceList, WithoutSelection(look));
    controls.Field(kProfileList, WithoutSelection(look));
    controls.PushButton(kNewButton, look);
    controls.PushButton(kDeleteButton, look);
    controls.ComboFace(kLanguageCombo, 25, WithoutSelection(look));
    PaintTitleButton(canvas, kMinimiseButton, look, true);
    PaintTitleButton(canvas, kHideButton, look, false);
}

} // namespace

void WriteMainDialogPictures(PictureFolder& folder) {
    folder.WriteLooks({{L"MainDialog_Normal.bmp", SkinLook::Normal},
                       {L"MainDialog_Disable.bmp", SkinLook::Disable},
                       {L"MainDialog_DisableSelected.bmp", SkinLook::DisableSelected},
                       {L"MainDialog_Hover.bmp", SkinLook::Hover},
                       {L"MainDialog_Selected.bmp", SkinLook::Selected}},
                      kMainWidth, kMainHeight, PaintMainDialog);
    folder.Write(L"MainDialog_Mask.bmp", kMainWidth, kMainHeight,
                 [](Canvas& canvas) { MaskPainter(canvas).RoundCorners(kCornerRadius); });
}

} // namespace skingen
