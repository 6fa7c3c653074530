#include "tools/skingen/SettingPagePictures.h"

#include "tools/skingen/Canvas.h"
#include "tools/skingen/ControlPainter.h"
#include "tools/skingen/MaskPainter.h"
#include "tools/skingen/PictureFolder.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/TextPainter.h"
#include "tools/skingen/Theme.h"
#include "tools/skingen/WindowSizes.h"

#include <array>
#include <string>

namespace skingen {
namespace {

using namespace theme;
using namespace sizes;

struct SliderTrack {
    int captionTop;
    Gdiplus::Rect channel; // the thumb's centre travels along it
    std::array<const wchar_t*, 4> labels;
};

// The page draws no numbers: the values behind positions 0 to 3 are printed here.
const SliderTrack kTracks[] = {
    {41, Gdiplus::Rect(30, 87, 376, 20), {L"800", L"1600", L"2400", L"3200"}},
    {189, Gdiplus::Rect(30, 234, 376, 20), {L"125 Hz", L"250 Hz", L"500 Hz", L"1000 Hz"}},
};

void PaintTrack(Canvas& canvas, const SliderTrack& track) {
    Gdiplus::Graphics& g = canvas.Graphics();
    shapes::FillRect(g, Gdiplus::RectF(14, track.captionTop + 3.0f, 3, 12), kAccent);

    const Gdiplus::Rect& c = track.channel;
    const float middle = c.Y + c.Height / 2.0f;
    const Gdiplus::RectF groove(c.X - 6.0f, middle - 3, c.Width + 12.0f, 6);
    shapes::FillRounded(g, groove, 3, kWell, kWell);
    shapes::OutlineRounded(g, groove, 3, kRing);

    for (int i = 0; i < 4; ++i) {
        // Where the slider puts the thumb's centre for position i of 0..3.
        const int x = c.X + i * c.Width / 3;
        shapes::Line(g, x + 0.5f, c.GetBottom() + 5.0f, x + 0.5f, c.GetBottom() + 10.0f, kLabelDim,
                     1.0f);
        TextPainter::Draw(canvas, track.labels[i],
                          Gdiplus::Rect(x - 40, c.GetBottom() + 12, 80, 16), 12, kLabel,
                          DT_CENTER | DT_TOP);
    }
}

void PaintSettingPage(Canvas& canvas, SkinLook look) {
    Gdiplus::Graphics& g = canvas.Graphics();
    shapes::FillRect(g, Gdiplus::RectF(0, 0, kSettingPageWidth, kSettingPageHeight), kPanel);
    for (const SliderTrack& track : kTracks)
        PaintTrack(canvas, track);

    // The programs that select the profile: a list, a field to type a name, three buttons.
    shapes::Line(g, 14, 288.5f, 517, 288.5f, kPanelEdge);
    shapes::FillRect(g, Gdiplus::RectF(14, 303, 3, 12), kAccent);
    ControlPainter controls(canvas);
    controls.Field(Gdiplus::Rect(30, 330, 300, 150), WithoutSelection(look));
    controls.Field(Gdiplus::Rect(350, 330, 160, 27), WithoutSelection(look));
    for (int top : {367, 409, 451})
        controls.PushButton(Gdiplus::Rect(350, top, 160, 34), look);
}

} // namespace

void WriteSettingPagePictures(PictureFolder& folder) {
    folder.WriteLooks({{L"SettingPage_Normal.bmp", SkinLook::Normal},
                       {L"SettingPage_Disable.bmp", SkinLook::Disable},
                       {L"SettingPage_Hover.bmp", SkinLook::Hover},
                       {L"SettingPage_Selected.bmp", SkinLook::Selected}},
                      kSettingPageWidth, kSettingPageHeight, PaintSettingPage);
    folder.Write(L"SettingPage_Mask.bmp", kSettingPageWidth, kSettingPageHeight,
                 [](Canvas& canvas) { MaskPainter mask(canvas); });
}

} // namespace skingen
