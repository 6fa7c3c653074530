// Skinned dialogs and push buttons on real windows: pictures per state, the cut of a
// control's rectangle, hover notices and the button rules, read back as pixels.
#include "tests/skin/ButtonsDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace skin_test;

using SkinDialogFixture = DialogFixture<ButtonsDialog>;

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

TEST_F(SkinDialogFixture, HoverOfTheNextControlIsReportedBeforeTheLeaveOfTheLast) {
    using Notice = std::pair<WPARAM, HWND>;
    const Notice enterA{1, m_dialog.m_a.m_hWnd};
    const Notice leaveA{0, m_dialog.m_a.m_hWnd};
    const Notice enterB{1, m_dialog.m_b.m_hWnd};
    POINT held = {1, 1};
    auto pointAt = [&](CWnd& control) {
        RECT r = control.GetWindowRect();
        held = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        SetCursorPos(held.x, held.y);
        control.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    };
    // The pointer is held where the test put it: the echo of an earlier move, handled late by
    // the display, can put it back on the last control.
    auto pumpUntil = [&](const Notice& notice) {
        auto& seen = m_dialog.hoverNotices;
        for (int i = 0; i < 200 && std::find(seen.begin(), seen.end(), notice) == seen.end(); ++i) {
            POINT now = {};
            if (GetCursorPos(&now) && (now.x != held.x || now.y != held.y))
                SetCursorPos(held.x, held.y);
            PumpMessages(10);
        }
    };
    // The system moves the pointer too: start from outside with nothing pending.
    SetForegroundWindow(m_dialog.m_hWnd);
    SetCursorPos(held.x, held.y);
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

    ButtonsDialog draggable(m_pictures);
    draggable.draggable = TRUE;
    ASSERT_TRUE(draggable.Create(kButtonsTemplate));
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

// Missing and damaged pictures: the dialog and its buttons show, and a button draws nothing
// where its picture holds no image, or only what a tiny one gives.
TEST(SkinDialog, MissingOrDamagedPicturesDrawNothingAndCrashNothing) {
    fw::GdiplusSession gdiplus;
    PagePictures pictures;
    const std::string full = SolidBitmapFile(400, 300, 0x00FF00);
    std::string absurd = full;
    const LONG huge = 100000;
    memcpy(&absurd[18], &huge, sizeof huge); // biWidth
    memcpy(&absurd[22], &huge, sizeof huge); // biHeight
    struct Case {
        const char* name;
        const wchar_t* file; // not written when bytes is null
        const std::string* bytes;
    };
    const std::string truncated = full.substr(0, full.size() / 3);
    const std::string tiny = SolidBitmapFile(1, 1, 0x00FF00);
    const Case cases[] = {
        {"missing", L"missing.bmp", nullptr},
        {"truncated", L"truncated.bmp", &truncated},
        {"absurd size", L"absurd.bmp", &absurd},
        {"1x1", L"tiny.bmp", &tiny},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bytes)
            pictures.Dir().Write(c.file, *c.bytes);
        ButtonsDialog dialog(pictures, pictures.Dir().File(c.file));
        ASSERT_TRUE(dialog.Create(kButtonsTemplate));
        dialog.ShowWindow(SW_SHOW);
        dialog.UpdateWindow();
        // The button's cut lies outside a 1x1 picture, so no state has an image.
        EXPECT_FALSE(fw::IsDrawable(dialog.m_a.GetStateImage(Normal)));
        Canvas canvas(50, 20, 0x123456);
        RECT client = dialog.m_a.GetClientRect();
        DRAWITEMSTRUCT item = {ODT_BUTTON,  3001,   0, ODA_DRAWENTIRE, 0, dialog.m_a.m_hWnd,
                               canvas.Dc(), client, 0};
        dialog.SendMessage(WM_DRAWITEM, 3001, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(canvas.CountOther(RECT{0, 0, 50, 20}, 0x123456), 0);
        dialog.DestroyWindow();
    }
}

} // namespace
