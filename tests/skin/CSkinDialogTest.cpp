// Skinned dialogs and buttons on real windows: pictures per state, the cut of a control's
// rectangle, the mask, hover notices and the button rules, read back as pixels.
#include "skin/CSkinButton.h"
#include "skin/CSkinCheckBox.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinRadioBox.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using skin_test::Canvas;
using skin_test::PumpMessages;
using skin_test::SolidBitmapFile;

constexpr UINT kTemplate = 300;
constexpr int kWidth = 400;
constexpr int kHeight = 300;

// One solid colour per state and page: 0xSSPP00 with S the state and P the page.
DWORD PictureColour(SkinState state, int page) {
    return (DWORD(state + 1) << 20) | (DWORD(page + 1) << 12);
}

class Pictures {
public:
    Pictures() {
        for (int state = 0; state < kSkinStateCount; ++state)
            for (int page = 0; page < 3; ++page)
                m_dir.Write(
                    Name(SkinState(state), page),
                    SolidBitmapFile(kWidth, kHeight, PictureColour(SkinState(state), page)));
    }
    std::wstring Path(SkinState state, int page) const { return m_dir.File(Name(state, page)); }
    const testing_support::TempDir& Dir() const { return m_dir; }

private:
    static std::wstring Name(SkinState state, int page) {
        return L"state" + std::to_wstring(state) + L"_" + std::to_wstring(page) + L".bmp";
    }
    testing_support::TempDir m_dir;
};

class TestSkinDialog : public CSkinDialog {
public:
    // Three pictures per state, or files that do not exist.
    explicit TestSkinDialog(const Pictures& pictures, bool missingPictures = false)
        : CSkinDialog(kTemplate) {
        for (int page = 0; page < 3; ++page) {
            auto path = [&](SkinState state) {
                return missingPictures ? pictures.Dir().File(L"missing.bmp")
                                       : pictures.Path(state, page);
            };
            AddNormalImage(path(Normal).c_str());
            AddDisableImage(path(Disable).c_str());
            AddDisableSelectedImage(path(DisableSelected).c_str());
            AddHoverImage(path(Hover).c_str());
            AddHoverSelectedImage(path(HoverSelected).c_str());
            AddSelectedImage(path(Selected).c_str());
        }
    }

    CSkinButton m_a;
    CSkinButton m_b;
    CSkinCheckBox m_check;
    CSkinRadioBox m_radio[3];
    std::vector<std::pair<WPARAM, HWND>> hoverNotices;
    std::vector<int> checkSeenOnClick;
    BOOL draggable = FALSE;

    using CSkinDialog::m_nCurImage;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, 3001, m_a);
        DDX_Control(dx, 3002, m_b);
        DDX_Control(dx, 3003, m_check);
        for (int i = 0; i < 3; ++i)
            DDX_Control(dx, 3004 + i, m_radio[i]);
    }
    BOOL OnInitDialog() override {
        CSkinDialog::OnInitDialog();
        m_bDraggable = draggable;
        m_a.MoveWindow(10, 10, 50, 20);
        m_b.MoveWindow(70, 10, 50, 20);
        m_check.MoveWindow(10, 40, 100, 20);
        for (int i = 0; i < 3; ++i)
            m_radio[i].MoveWindow(10 + 60 * i, 70, 50, 20);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SKIN_HOVER)
            hoverNotices.emplace_back(wParam, reinterpret_cast<HWND>(lParam));
        if (message == WM_COMMAND && LOWORD(wParam) == 3003 && HIWORD(wParam) == BN_CLICKED)
            checkSeenOnClick.push_back(static_cast<int>(m_check.SendMessage(BM_GETCHECK)));
        return CSkinDialog::WindowProc(message, wParam, lParam);
    }
};

class SkinDialogFixture : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    Pictures m_pictures;
    TestSkinDialog m_dialog{m_pictures};

    void SetUp() override {
        ASSERT_TRUE(m_dialog.Create(kTemplate));
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.UpdateWindow();
    }

    // Draws a control of the dialog through the dialog's WM_DRAWITEM, as the system does.
    static void DrawThroughParent(CWnd& parent, CWnd& control, UINT state, Canvas& canvas) {
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
};

DWORD TopLeftColour(const Picture& picture) {
    if (!fw::IsDrawable(picture))
        return 0xFFFFFFFF;
    Gdiplus::Color colour;
    picture->GetPixel(0, 0, &colour);
    return colour.GetValue() & 0xFFFFFF;
}

TEST_F(SkinDialogFixture, ControlsCutTheirPicturesFromTheCurrentPage) {
    m_dialog.SelectBackground(2);
    EXPECT_EQ(m_dialog.GetCurImage(), 2);
    for (SkinState state : {Normal, Hover, HoverSelected, Selected})
        EXPECT_EQ(TopLeftColour(m_dialog.m_a.GetStateImage(state)), PictureColour(state, 2))
            << state;
    for (SkinState state : {Disable, DisableSelected})
        EXPECT_EQ(TopLeftColour(m_dialog.m_a.GetStateImage(state)), PictureColour(state, 0))
            << state;

    m_dialog.m_a.SetImageIndex(Disable, 1);
    m_dialog.m_a.SetImageIndex(Hover, 1);
    EXPECT_EQ(TopLeftColour(m_dialog.m_a.GetStateImage(Disable)), PictureColour(Disable, 1));
    EXPECT_EQ(TopLeftColour(m_dialog.m_a.GetStateImage(Hover)), PictureColour(Hover, 1));
    m_dialog.m_a.SetImageIndex(Hover, 7);
    EXPECT_FALSE(fw::IsDrawable(m_dialog.m_a.GetStateImage(Hover)));

    Picture cut = m_dialog.m_a.GetStateImage(Normal);
    ASSERT_TRUE(fw::IsDrawable(cut));
    EXPECT_EQ(cut->GetWidth(), 50u);
    EXPECT_EQ(cut->GetHeight(), 20u);

    m_dialog.SelectBackground(3); // no such page
    EXPECT_EQ(m_dialog.GetCurImage(), 2);
}

TEST_F(SkinDialogFixture, DialogSurfaceIsPaintedWithTheSelectedPicture) {
    m_dialog.SelectBackground(1);
    m_dialog.UpdateWindow();
    HDC dc = GetDC(m_dialog.m_hWnd);
    COLORREF pixel = GetPixel(dc, 200, 200);
    ReleaseDC(m_dialog.m_hWnd, dc);
    DWORD expected = PictureColour(Normal, 1);
    EXPECT_EQ(pixel, RGB((expected >> 16) & 0xFF, (expected >> 8) & 0xFF, expected & 0xFF));
}

TEST_F(SkinDialogFixture, PushButtonWithoutStripDrawsItsStatePictures) {
    m_dialog.SelectBackground(2);
    struct Case {
        UINT itemState;
        BOOL hover;
        DWORD expected;
    } cases[] = {
        {0, FALSE, PictureColour(Normal, 2)},
        {0, TRUE, PictureColour(Hover, 2)},
        {ODS_SELECTED, TRUE, PictureColour(Selected, 2)},
        {ODS_DISABLED | ODS_SELECTED, FALSE, PictureColour(Disable, 0)},
    };
    for (const Case& c : cases) {
        Canvas canvas(50, 20);
        m_dialog.m_a.SetHover(c.hover);
        DrawThroughParent(m_dialog, m_dialog.m_a, c.itemState, canvas);
        EXPECT_EQ(canvas.CountOther(RECT{0, 0, 50, 20}, c.expected), 0) << c.itemState;
    }
}

TEST_F(SkinDialogFixture, PushButtonWithStripShowsTheFrameOfItsState) {
    const DWORD frames[4] = {0x110000, 0x002200, 0x000033, 0x444444};
    m_pictures.Dir().Write(L"strip.bmp", skin_test::BitmapFile(60, 40, [&](int x, int y) {
                               return x < 30 ? 0xFFFFFF : frames[y / 10];
                           }));
    m_dialog.m_b.SetBitmap(fw::LoadPicture(m_pictures.Dir().File(L"strip.bmp")), 30, 10, 1);
    struct Case {
        UINT itemState;
        BOOL hover;
        int frame;
    } cases[] = {
        {0, FALSE, 0},
        {0, TRUE, 2},
        {ODS_SELECTED, TRUE, 3},
        {ODS_DISABLED, TRUE, 1},
        {ODS_DISABLED | ODS_SELECTED, FALSE, 1},
    };
    for (const Case& c : cases) {
        Canvas canvas(50, 20);
        m_dialog.m_b.SetHover(c.hover);
        DrawThroughParent(m_dialog, m_dialog.m_b, c.itemState, canvas);
        EXPECT_EQ(canvas.CountOther(RECT{0, 0, 50, 20}, frames[c.frame]), 0) << c.itemState;
    }
}

TEST_F(SkinDialogFixture, CheckBoxFlipsBeforeTheParentHearsTheClick) {
    m_dialog.m_check.SendMessage(BM_CLICK);
    m_dialog.m_check.SendMessage(BM_CLICK);
    EXPECT_EQ(m_dialog.checkSeenOnClick, (std::vector<int>{1, 0}));
    EXPECT_EQ(m_dialog.m_check.SendMessage(BM_GETCHECK), 0);

    // BM_SETCHECK 2: checked pictures, Normal text colour.
    m_dialog.m_check.SendMessage(BM_SETCHECK, 2);
    Canvas canvas(100, 20);
    DrawThroughParent(m_dialog, m_dialog.m_check, 0, canvas);
    EXPECT_EQ(canvas.Pixel(2, 2), PictureColour(Selected, 0));
}

TEST_F(SkinDialogFixture, CheckBoxLabelNeedsRoomBeyondItsIndent) {
    struct Case {
        int width;
        bool textDrawn;
    } cases[] = {{20, false}, {15, false}, {100, true}};
    for (const Case& c : cases) {
        m_dialog.m_check.MoveWindow(10, 40, c.width, 20);
        Canvas canvas(c.width, 20);
        DrawThroughParent(m_dialog, m_dialog.m_check, 0, canvas);
        int other = canvas.CountOther(RECT{0, 0, c.width, 20}, PictureColour(Normal, 0));
        EXPECT_EQ(other > 0, c.textDrawn) << c.width;
    }
}

TEST_F(SkinDialogFixture, RadioBoxUnchecksTheRestOfItsGroupByPostedMessages) {
    CSkinRadioBox* radio = m_dialog.m_radio;
    radio[0].SendMessage(BM_SETCHECK, 1);
    PumpMessages(0);
    radio[1].SendMessage(BM_SETCHECK, 1);
    EXPECT_EQ(radio[0].SendMessage(BM_GETCHECK), 1); // not yet: the unchecks are posted
    PumpMessages(0);
    EXPECT_EQ(radio[0].SendMessage(BM_GETCHECK), 0);
    EXPECT_EQ(radio[1].SendMessage(BM_GETCHECK), 1);
    EXPECT_EQ(radio[2].SendMessage(BM_GETCHECK), 0);
    EXPECT_EQ(m_dialog.m_b.SendMessage(BM_GETSTATE) & BST_CHECKED, 0); // another group

    // A hidden radio box still ends its walk.
    radio[2].ShowWindow(SW_HIDE);
    radio[2].SendMessage(BM_SETCHECK, 1);
    PumpMessages(0);
    EXPECT_EQ(radio[1].SendMessage(BM_GETCHECK), 0);
}

TEST_F(SkinDialogFixture, HoverOfTheNextControlIsReportedBeforeTheLeaveOfTheLast) {
    using Notice = std::pair<WPARAM, HWND>;
    const Notice enterA{1, m_dialog.m_a.m_hWnd};
    const Notice leaveA{0, m_dialog.m_a.m_hWnd};
    const Notice enterB{1, m_dialog.m_b.m_hWnd};
    auto pointAt = [](CWnd& control) {
        RECT r = control.GetWindowRect();
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        control.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    };
    auto pumpUntil = [&](const Notice& notice) {
        auto& seen = m_dialog.hoverNotices;
        for (int i = 0; i < 200 && std::find(seen.begin(), seen.end(), notice) == seen.end(); ++i)
            PumpMessages(10);
    };
    // The system moves the pointer too: start from outside with nothing pending.
    SetForegroundWindow(m_dialog.m_hWnd);
    SetCursorPos(1, 1);
    PumpMessages(50);
    m_dialog.hoverNotices.clear();

    pointAt(m_dialog.m_a);
    pumpUntil(enterA);
    pointAt(m_dialog.m_b);
    pumpUntil(leaveA);

    const auto& seen = m_dialog.hoverNotices;
    auto firstEnterA = std::find(seen.begin(), seen.end(), enterA);
    auto firstEnterB = std::find(firstEnterA, seen.end(), enterB);
    auto firstLeaveA = std::find(firstEnterA, seen.end(), leaveA);
    ASSERT_NE(firstEnterA, seen.end());
    ASSERT_NE(firstEnterB, seen.end());
    ASSERT_NE(firstLeaveA, seen.end());
    EXPECT_LT(firstEnterB, firstLeaveA); // B's entry is told before A's exit
    EXPECT_TRUE(m_dialog.m_b.GetHover());
}

TEST_F(SkinDialogFixture, DraggableSurfaceActsAsCaption) {
    POINT centre = {200, 250};
    m_dialog.ClientToScreen(centre);
    LPARAM at = MAKELPARAM(centre.x, centre.y);
    EXPECT_EQ(m_dialog.SendMessage(WM_NCHITTEST, 0, at), HTCLIENT);

    TestSkinDialog draggable(m_pictures);
    draggable.draggable = TRUE;
    ASSERT_TRUE(draggable.Create(kTemplate));
    POINT point = {200, 250};
    draggable.ClientToScreen(point);
    EXPECT_EQ(draggable.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)), HTCAPTION);
}

class DoubleClickButton : public CSkinButton {
public:
    std::vector<std::pair<WPARAM, LPARAM>> presses;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LBUTTONDOWN)
            presses.emplace_back(wParam, lParam);
        return CSkinButton::WindowProc(message, wParam, lParam);
    }
};

TEST_F(SkinDialogFixture, DoubleClickIsFollowedByAPressAtTheSamePoint) {
    DoubleClickButton button;
    ASSERT_TRUE(
        button.Create(L"", WS_CHILD | WS_VISIBLE, RECT{150, 150, 200, 170}, &m_dialog, 3100));
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 9));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(7, 9));
    PumpMessages(0);
    using Press = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(button.presses, (std::vector<Press>{{0, MAKELPARAM(7, 9)}}));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(7, 9));
}

TEST(SkinDialog, MissingPicturesDrawNothingAndCrashNothing) {
    fw::GdiplusSession gdiplus;
    Pictures pictures;
    TestSkinDialog dialog(pictures, true);
    ASSERT_TRUE(dialog.Create(kTemplate));
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
    EXPECT_FALSE(fw::IsDrawable(dialog.m_a.GetStateImage(Normal)));
    Canvas canvas(50, 20, 0x123456);
    RECT client = dialog.m_a.GetClientRect();
    DRAWITEMSTRUCT item = {ODT_BUTTON,  3001,   0, ODA_DRAWENTIRE, 0, dialog.m_a.m_hWnd,
                           canvas.Dc(), client, 0};
    dialog.SendMessage(WM_DRAWITEM, 3001, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(canvas.CountOther(RECT{0, 0, 50, 20}, 0x123456), 0);
}

} // namespace
