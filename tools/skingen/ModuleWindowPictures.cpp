#include "tools/skingen/ModuleWindowPictures.h"

#include "tools/skingen/Canvas.h"
#include "tools/skingen/ControlPainter.h"
#include "tools/skingen/MaskPainter.h"
#include "tools/skingen/PictureFolder.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/Theme.h"
#include "tools/skingen/WindowSizes.h"

#include <array>

namespace skingen {
namespace {

using namespace theme;
using namespace sizes;

const std::array<Gdiplus::Rect, 3> kTabs = {
    Gdiplus::Rect(8, 10, 117, 24), Gdiplus::Rect(179, 10, 101, 24), Gdiplus::Rect(332, 10, 93, 24)};
const Gdiplus::Rect kSaveButton(212, 556, 123, 37);
const Gdiplus::Rect kRestoreButton(45, 556, 123, 37);
// The profile file's buttons continue the row of Restore and Save.
const Gdiplus::Rect kExportButton(379, 556, 123, 37);
const Gdiplus::Rect kImportButton(546, 556, 123, 37);
constexpr int kPanelTop = 33;

// The host's language combo box (host x 957, y 42 to 74) lies over the module window's top
// right corner; the module window is cut away there so that the combo box stays visible.
constexpr int kCutLeft = 957 - kModuleLeft - 6;
const Gdiplus::Rect kUnderLanguageCombo(kCutLeft, 0, kModuleWidth - kCutLeft, 32);

// Which tab is shown (-1: none) and how each kind of control looks in the picture.
struct ModuleLooks {
    int shownTab;
    SkinLook otherTabs;
    SkinLook shownTabLook;
    SkinLook buttons;
};

void PaintModuleWindow(Canvas& canvas, const ModuleLooks& looks) {
    Gdiplus::Graphics& g = canvas.Graphics();
    const float w = static_cast<float>(kModuleWidth), h = static_cast<float>(kModuleHeight);
    shapes::FillRect(g, Gdiplus::RectF(0, 0, w, h), kWindowBack);

    // The pages lie on this panel and share its colour.
    const Gdiplus::RectF panel(8, kPanelTop, w - 16, 550.0f - kPanelTop);
    shapes::FillRect(g, panel, kPanel);
    shapes::Line(g, panel.X + 0.5f, panel.Y, panel.X + 0.5f, panel.GetBottom() - 0.5f, kPanelEdge);
    shapes::Line(g, panel.GetRight() - 0.5f, panel.Y, panel.GetRight() - 0.5f,
                 panel.GetBottom() - 0.5f, kPanelEdge);
    shapes::Line(g, panel.X, panel.GetBottom() - 0.5f, panel.GetRight(), panel.GetBottom() - 0.5f,
                 kPanelEdge);

    // The panel's top edge is open under the shown tab.
    float x = panel.X;
    for (int i = 0; i < static_cast<int>(kTabs.size()); ++i) {
        if (i != looks.shownTab)
            continue;
        shapes::Line(g, x, kPanelTop + 0.5f, static_cast<float>(kTabs[i].X), kPanelTop + 0.5f,
                     kPanelEdge, 1.0f);
        x = static_cast<float>(kTabs[i].GetRight());
    }
    shapes::Line(g, x, kPanelTop + 0.5f, panel.GetRight(), kPanelTop + 0.5f, kPanelEdge, 1.0f);

    ControlPainter controls(canvas);
    for (int i = 0; i < static_cast<int>(kTabs.size()); ++i)
        controls.Tab(kTabs[i], i == looks.shownTab ? looks.shownTabLook : looks.otherTabs);
    controls.PushButton(kSaveButton, looks.buttons);
    controls.PushButton(kRestoreButton, looks.buttons);
    controls.PushButton(kExportButton, looks.buttons);
    controls.PushButton(kImportButton, looks.buttons);
}

} // namespace

// The window's picture lists pick these files by page: the Normal picture of page i is
// TabDialog0(i+1); the hover list is (01, Hover02, 03); the checked-tab list is
// (_Selected, 02, 03); one disabled picture serves every page. Save and Restore always take
// their hover look from Hover02 and their pressed look from the checked-tab list.
void WriteModuleWindowPictures(PictureFolder& folder) {
    struct File {
        const wchar_t* name;
        ModuleLooks looks;
    };
    const File files[] = {
        {L"TabDialog01.bmp", {0, SkinLook::Normal, SkinLook::Selected, SkinLook::Normal}},
        {L"TabDialog02.bmp", {1, SkinLook::Normal, SkinLook::Selected, SkinLook::Normal}},
        {L"TabDialog03.bmp", {2, SkinLook::Normal, SkinLook::Selected, SkinLook::Normal}},
        {L"TabDialog_Hover02.bmp", {1, SkinLook::Hover, SkinLook::HoverSelected, SkinLook::Hover}},
        {L"TabDialog_Selected.bmp", {0, SkinLook::Normal, SkinLook::Selected, SkinLook::Selected}},
        {L"TabDialog_Disable.bmp", {-1, SkinLook::Disable, SkinLook::Disable, SkinLook::Disable}},
    };
    for (const File& file : files) {
        folder.Write(file.name, kModuleWidth, kModuleHeight,
                     [&](Canvas& canvas) { PaintModuleWindow(canvas, file.looks); });
    }
    // A push button of the panel, for buttons that stand where the pages lie: frames of
    // 123 x 37 stacked normal, disabled, pointed at, pressed.
    const SkinLook frames[] = {SkinLook::Normal, SkinLook::Disable, SkinLook::Hover,
                               SkinLook::Selected};
    folder.Write(
        L"PanelButton.bmp", kExportButton.Width, kExportButton.Height * 4, [&](Canvas& canvas) {
            Gdiplus::Graphics& g = canvas.Graphics();
            shapes::FillRect(g,
                             Gdiplus::RectF(0, 0, static_cast<float>(kExportButton.Width),
                                            kExportButton.Height * 4.0f),
                             kPanel);
            ControlPainter controls(canvas);
            for (int i = 0; i < 4; ++i)
                controls.PushButton(Gdiplus::Rect(0, i * kExportButton.Height, kExportButton.Width,
                                                  kExportButton.Height),
                                    frames[i]);
        });
    folder.Write(L"TabDialog_Mask.bmp", kModuleWidth, kModuleHeight,
                 [](Canvas& canvas) { MaskPainter(canvas).Cut(kUnderLanguageCombo); });
}

} // namespace skingen
