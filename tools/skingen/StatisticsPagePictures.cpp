#include "tools/skingen/StatisticsPagePictures.h"

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
    Gdiplus::Rect(624, 73, 32, 34), Gdiplus::Rect(668, 73, 32, 34), Gdiplus::Rect(711, 73, 32, 34),
    Gdiplus::Rect(605, 150, 32, 34), Gdiplus::Rect(729, 151, 32, 34)};
constexpr std::array<int, 5> kIndicatorTop = {9, 47, 84, 122, 161};
const Gdiplus::Rect kColourScale(63, 288, 413, 33);

void PaintStatisticsPage(Canvas& canvas, SkinLook look) {
    Gdiplus::Graphics& g = canvas.Graphics();
    shapes::FillRect(g, Gdiplus::RectF(0, 0, kStatisticsPageWidth, kStatisticsPageHeight), kPanel);
    MouseDrawing(kHotSpots).Paint(g);
    shapes::Line(g, 0, 250.5f, 560, 250.5f, kPanelEdge);

    // The gradient covers the scale itself; its frame and ticks lie around it.
    shapes::FillRounded(g, shapes::Grow(kColourScale, 3), 4, kRing, kRing);
    shapes::FillRounded(g, shapes::Grow(kColourScale, 2), 3, kWell, kWell);
    for (int i = 0; i <= 4; ++i) {
        const float x = kColourScale.X + i * (kColourScale.Width - 1) / 4.0f + 0.5f;
        shapes::Line(g, x, kColourScale.GetBottom() + 5.0f, x, kColourScale.GetBottom() + 9.0f,
                     kLabelDim, 1.0f);
    }

    ControlPainter controls(canvas);
    for (size_t r = 0; r < kHotSpots.size(); ++r) {
        controls.SwatchFrame(Gdiplus::Rect(92, kIndicatorTop[r], 168, 33), WithoutSelection(look));
        controls.HotSpot(kHotSpots[r], look);
    }
    controls.Display(Gdiplus::Rect(285, 336, 182, 60), WithoutSelection(look));
    controls.PushButton(Gdiplus::Rect(134, 349, 120, 37), look);
}

} // namespace

void WriteStatisticsPagePictures(PictureFolder& folder) {
    folder.WriteLooks({{L"StatisticsPage_Normal.bmp", SkinLook::Normal},
                       {L"StatisticsPage_Disable.bmp", SkinLook::Disable},
                       {L"StatisticsPage_Hover.bmp", SkinLook::Hover},
                       {L"StatisticsPage_Selected.bmp", SkinLook::Selected}},
                      kStatisticsPageWidth, kStatisticsPageHeight, PaintStatisticsPage);
    folder.Write(L"StatisticsPage_Mask.bmp", kStatisticsPageWidth, kStatisticsPageHeight,
                 [](Canvas& canvas) { MaskPainter mask(canvas); });
}

} // namespace skingen
