#include "tests/skin/ButtonsDialog.h"

namespace skin_test {

namespace {
constexpr int kWidth = 400;
constexpr int kHeight = 300;

std::wstring Name(SkinState state, int page) {
    return L"state" + std::to_wstring(state) + L"_" + std::to_wstring(page) + L".bmp";
}
} // namespace

DWORD PictureColour(SkinState state, int page) {
    return (DWORD(state + 1) << 20) | (DWORD(page + 1) << 12);
}

PagePictures::PagePictures() {
    for (int state = 0; state < kSkinStateCount; ++state)
        for (int page = 0; page < 3; ++page)
            m_dir.Write(Name(SkinState(state), page),
                        SolidBitmapFile(kWidth, kHeight, PictureColour(SkinState(state), page)));
}

std::wstring PagePictures::Path(SkinState state, int page) const {
    return m_dir.File(Name(state, page));
}

ButtonsDialog::ButtonsDialog(const PagePictures& pictures, const std::wstring& everyPicture)
    : CSkinDialog(kButtonsTemplate) {
    for (int page = 0; page < 3; ++page) {
        auto path = [&](SkinState state) {
            return everyPicture.empty() ? pictures.Path(state, page) : everyPicture;
        };
        AddNormalImage(path(Normal).c_str());
        AddDisableImage(path(Disable).c_str());
        AddDisableSelectedImage(path(DisableSelected).c_str());
        AddHoverImage(path(Hover).c_str());
        AddHoverSelectedImage(path(HoverSelected).c_str());
        AddSelectedImage(path(Selected).c_str());
    }
}

void ButtonsDialog::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, 3001, m_a);
    DDX_Control(dx, 3002, m_b);
}

BOOL ButtonsDialog::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_bDraggable = draggable;
    m_a.MoveWindow(10, 10, 50, 20);
    m_b.MoveWindow(70, 10, 50, 20);
    return TRUE;
}

LRESULT ButtonsDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SKIN_HOVER)
        hoverNotices.emplace_back(wParam, reinterpret_cast<HWND>(lParam));
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

DWORD TopLeftColour(const Picture& picture) {
    if (!fw::IsDrawable(picture))
        return 0xFFFFFFFF;
    Gdiplus::Color colour;
    picture->GetPixel(0, 0, &colour);
    return colour.GetValue() & 0xFFFFFF;
}

void DrawThroughParent(CWnd& parent, CWnd& control, UINT state, Canvas& canvas) {
    RECT client = control.GetClientRect();
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(control.GetDlgCtrlID());
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = control.m_hWnd;
    item.hDC = canvas.Dc();
    item.rcItem = client;
    parent.SendMessage(WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

} // namespace skin_test
