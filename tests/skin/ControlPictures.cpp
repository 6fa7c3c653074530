#include "tests/skin/ControlPictures.h"

#include "tests/skin/SkinTestSupport.h"

namespace skin_test {

namespace {
std::wstring StateFile(SkinState state) {
    return L"dialog_" + std::to_wstring(state) + L".bmp";
}
} // namespace

DWORD StateColour(SkinState state) {
    return 0x102030 + DWORD(state) * 0x100000;
}

DWORD ItemFrameColour(int frame) {
    return 0x008000 + DWORD(frame) * 0x200000;
}

DWORD BarCellColour(int column, int row) {
    return (DWORD(0x30 + column * 0x30) << 16) | (DWORD(0x30 + row * 0x30) << 8) | 0x05;
}

void WriteControlPictures(const SkinResFolder& res) {
    for (int state = 0; state < kSkinStateCount; ++state)
        res.Write(StateFile(SkinState(state)),
                  SolidBitmapFile(600, 500, StateColour(SkinState(state))));
    res.Write(L"listback.bmp", BitmapFile(50, 7 * kItemHeight, [](int, int y) {
                  return ItemFrameColour(y / kItemHeight);
              }));
    res.Write(L"scrollbar.bmp", BitmapFile(4 * kBarThickness, 4 * kBarArrow, [](int x, int y) {
                  return BarCellColour(x / kBarThickness, y / kBarArrow);
              }));
    res.Write(L"MacroButton.bmp", BitmapFile(4 * kButtonSize, 4 * kButtonSize, [](int x, int y) {
                  return 0x400000 + DWORD(x / kButtonSize) * 0x20 + DWORD(y / kButtonSize) * 0x2000;
              }));
    res.Write(L"MacroIndicator.bmp", BitmapFile(30, 30, [](int x, int y) {
                  return 0x000040 + DWORD(x / 10) * 0x300000 + DWORD(y / 10) * 0x3000;
              }));
    res.Write(L"ComboList_Nomal.bmp", SolidBitmapFile(200, 200, kComboListColour));
}

PicturedDialog::PicturedDialog(UINT templateId, const SkinResFolder& res)
    : CSkinDialog(templateId) {
    AddNormalImage(res.File(StateFile(Normal)).c_str());
    AddDisableImage(res.File(StateFile(Disable)).c_str());
    AddDisableSelectedImage(res.File(StateFile(DisableSelected)).c_str());
    AddHoverImage(res.File(StateFile(Hover)).c_str());
    AddHoverSelectedImage(res.File(StateFile(HoverSelected)).c_str());
    AddSelectedImage(res.File(StateFile(Selected)).c_str());
}

DWORD WindowPixel(HWND hwnd, int x, int y) {
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return (DWORD(GetRValue(pixel)) << 16) | (DWORD(GetGValue(pixel)) << 8) | GetBValue(pixel);
}

} // namespace skin_test
