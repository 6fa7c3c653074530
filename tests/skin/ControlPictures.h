#pragma once
// Pictures of known colours for the list, combo, scroll and editable-list tests: the shared
// control pictures in .\res\ and one solid picture per dialog state.
#include "skin/CSkinDialog.h"
#include "tests/skin/SkinResFolder.h"

#include <string>

namespace skin_test {

// Dialog state pictures: one solid colour per state.
DWORD StateColour(SkinState state);
// listback.bmp: seven frames of kItemHeight, frame f in ItemFrameColour(f).
constexpr int kItemHeight = 24;
DWORD ItemFrameColour(int frame);
// scrollbar.bmp: cells kBarThickness × kBarArrow, solid BarCellColour(column, row).
constexpr int kBarThickness = 10;
constexpr int kBarArrow = 25;
DWORD BarCellColour(int column, int row);
// MacroButton.bmp 64 × 64 (16-pixel buttons), MacroIndicator.bmp 30 × 30.
constexpr int kButtonSize = 16;
constexpr DWORD kComboListColour = 0x13579B;

// Writes every picture above into the folder's res\.
void WriteControlPictures(const SkinResFolder& res);

// A skinned dialog with the state pictures of the folder.
class PicturedDialog : public CSkinDialog {
public:
    PicturedDialog(UINT templateId, const SkinResFolder& res);
};

// The colour of a window's pixel (client coordinates) as 0xRRGGBB.
DWORD WindowPixel(HWND hwnd, int x, int y);

} // namespace skin_test
