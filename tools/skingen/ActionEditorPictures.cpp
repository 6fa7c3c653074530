#include "tools/skingen/ActionEditorPictures.h"

#include "tools/skingen/Canvas.h"
#include "tools/skingen/ControlPainter.h"
#include "tools/skingen/MaskPainter.h"
#include "tools/skingen/PictureFolder.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/Theme.h"
#include "tools/skingen/WindowSizes.h"

namespace skingen {
namespace {

using namespace theme;
using namespace sizes;

// The keypress and text pages sit at button-page (16, 289), over the "Action Type:" label
// and combo box (button-page y 288 to 318); their masks cut that strip away.
const Gdiplus::Rect kOverActionType(0, 0, 284, 31);

void PaintCard(Gdiplus::Graphics& g, const Gdiplus::RectF& r) {
    shapes::FillRounded(g, r, 6, kPanelRaised, kPanelRaised);
    shapes::OutlineRounded(g, r, 6, kPanelEdge);
}

void PaintPageBack(Canvas& canvas, int height) {
    shapes::FillRect(canvas.Graphics(), Gdiplus::RectF(0, 0, kEditorWidth, float(height)), kPanel);
}

void PaintKeypress(Canvas& canvas, SkinLook look) {
    PaintPageBack(canvas, kEditorHeight);
    PaintCard(canvas.Graphics(), Gdiplus::RectF(286, 10, 170, 170));
    ControlPainter controls(canvas);
    controls.Field(Gdiplus::Rect(75, 39, 202, 135), WithoutSelection(look));
    const Gdiplus::Rect record(71, 182, 114, 36);
    controls.PushButton(record, look);
    shapes::FillEllipse(canvas.Graphics(), Gdiplus::RectF(record.X + 9.0f, record.Y + 14.0f, 8, 8),
                        IsDisabled(look) ? kGlyphDisabled : kRecord);
    controls.CheckBox(Gdiplus::Rect(212, 187, 102, 28), look);
}

void PaintCopyString(Canvas& canvas, SkinLook look) {
    PaintPageBack(canvas, kEditorHeight);
    PaintCard(canvas.Graphics(), Gdiplus::RectF(286, 10, 170, 210));
    ControlPainter(canvas).Field(Gdiplus::Rect(78, 40, 200, 178), WithoutSelection(look));
}

void PaintLaunchApp(Canvas& canvas, SkinLook look) {
    PaintPageBack(canvas, kLaunchPageHeight);
    PaintCard(canvas.Graphics(), Gdiplus::RectF(86, 40, 216, 120));
    ControlPainter controls(canvas);
    controls.Field(Gdiplus::Rect(90, 11, 285, 27), WithoutSelection(look));
    controls.PushButton(Gdiplus::Rect(384, 5, 53, 34), look);
}

} // namespace

void WriteKeypressPictures(PictureFolder& folder) {
    folder.WriteLooks({{L"Keypress_Normal.bmp", SkinLook::Normal},
                       {L"Keypress_Disable.bmp", SkinLook::Disable},
                       {L"Keypress_DisableSelected.bmp", SkinLook::DisableSelected},
                       {L"Keypress_Hover.bmp", SkinLook::Hover},
                       {L"Keypress_HoverSelected.bmp", SkinLook::HoverSelected},
                       {L"Keypress_Selected.bmp", SkinLook::Selected}},
                      kEditorWidth, kEditorHeight, PaintKeypress);
    folder.Write(L"Keypress_Mask.bmp", kEditorWidth, kEditorHeight,
                 [](Canvas& canvas) { MaskPainter(canvas).Cut(kOverActionType); });
}

void WriteCopyStringPictures(PictureFolder& folder) {
    folder.WriteLooks({{L"CopyString_Normal.bmp", SkinLook::Normal},
                       {L"CopyString_Disable.bmp", SkinLook::Disable},
                       {L"CopyString_Hover.bmp", SkinLook::Hover},
                       {L"CopyString_Selected.bmp", SkinLook::Selected}},
                      kEditorWidth, kEditorHeight, PaintCopyString);
    folder.Write(L"CopyString_Mask.bmp", kEditorWidth, kEditorHeight,
                 [](Canvas& canvas) { MaskPainter(canvas).Cut(kOverActionType); });
}

// The launch page sits at button-page (1, 319), below the action type row: nothing to cut.
void WriteLaunchAppPictures(PictureFolder& folder) {
    folder.WriteLooks({{L"LaunchApp_Normal.bmp", SkinLook::Normal},
                       {L"LaunchApp_Disable.bmp", SkinLook::Disable},
                       {L"LaunchApp_Hover.bmp", SkinLook::Hover},
                       {L"LaunchApp_Selected.bmp", SkinLook::Selected}},
                      kEditorWidth, kLaunchPageHeight, PaintLaunchApp);
    folder.Write(L"LaunchApp_Mask.bmp", kEditorWidth, kLaunchPageHeight,
                 [](Canvas& canvas) { MaskPainter mask(canvas); });
}

} // namespace skingen
