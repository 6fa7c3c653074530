#include "tools/skingen/MessageBoxPictures.h"

#include "tools/skingen/Canvas.h"
#include "tools/skingen/ControlPainter.h"
#include "tools/skingen/MaskPainter.h"
#include "tools/skingen/PictureFolder.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/TextPainter.h"
#include "tools/skingen/Theme.h"
#include "tools/skingen/WindowSizes.h"

namespace skingen {
namespace {

using namespace theme;
using namespace sizes;

constexpr int kCornerRadius = 8;

void PaintMessageBox(Canvas& canvas, SkinLook look) {
    Gdiplus::Graphics& g = canvas.Graphics();
    const float w = static_cast<float>(kQuestionWidth), h = static_cast<float>(kQuestionHeight);
    shapes::FillRounded(g, Gdiplus::RectF(0, 0, w, h), 0, kTitleTop, kWindowBack);
    shapes::FillRect(g, Gdiplus::RectF(kCornerRadius, 0, w - 2 * kCornerRadius, 2), kAccent);

    // Question badge left of the text (the text starts at x = 47).
    const Gdiplus::RectF badge(10, 36, 28, 28);
    shapes::FillEllipse(g, badge, kAccentDeep);
    shapes::OutlineEllipse(g, badge, kAccent, 1.5f);
    TextPainter::Draw(canvas, L"?", Gdiplus::Rect(10, 36, 28, 28), 18, 0xFFFFFFFF,
                      DT_CENTER | DT_VCENTER, true);

    shapes::Line(g, 14, 80.5f, w - 14, 80.5f, kPanelEdge);
    shapes::OutlineRounded(g, Gdiplus::RectF(0, 0, w, h), kCornerRadius, kWindowBorder);

    ControlPainter controls(canvas);
    controls.PushButton(Gdiplus::Rect(74, 88, 99, 29), look);
    controls.PushButton(Gdiplus::Rect(227, 88, 99, 29), look);
}

} // namespace

void WriteMessageBoxPictures(PictureFolder& folder) {
    folder.WriteLooks({{L"MessageBox_Normal.bmp", SkinLook::Normal},
                       {L"MessageBox_Disable.bmp", SkinLook::Disable},
                       {L"MessageBox_Hover.bmp", SkinLook::Hover},
                       {L"MessageBox_Selected.bmp", SkinLook::Selected}},
                      kQuestionWidth, kQuestionHeight, PaintMessageBox);
    folder.Write(L"MessageBox_Mask.bmp", kQuestionWidth, kQuestionHeight,
                 [](Canvas& canvas) { MaskPainter(canvas).RoundCorners(kCornerRadius); });
}

} // namespace skingen
