// Skinned check boxes and radio boxes on a real dialog: their own check state, the label's
// room and the group walk.
#include "skin/CSkinCheckBox.h"
#include "skin/CSkinRadioBox.h"
#include "tests/skin/ButtonsDialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace skin_test;

class CheckDialog : public ButtonsDialog {
public:
    using ButtonsDialog::ButtonsDialog;

    CSkinCheckBox m_check;
    CSkinRadioBox m_radio[3];
    std::vector<int> checkSeenOnClick;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        ButtonsDialog::DoDataExchange(dx);
        DDX_Control(dx, 3003, m_check);
        for (int i = 0; i < 3; ++i)
            DDX_Control(dx, 3004 + i, m_radio[i]);
    }
    BOOL OnInitDialog() override {
        ButtonsDialog::OnInitDialog();
        m_check.MoveWindow(10, 40, 100, 20);
        for (int i = 0; i < 3; ++i)
            m_radio[i].MoveWindow(10 + 60 * i, 70, 50, 20);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == 3003 && HIWORD(wParam) == BN_CLICKED)
            checkSeenOnClick.push_back(static_cast<int>(m_check.SendMessage(BM_GETCHECK)));
        return ButtonsDialog::WindowProc(message, wParam, lParam);
    }
};

using CheckFixture = DialogFixture<CheckDialog>;

TEST_F(CheckFixture, CheckBoxFlipsBeforeTheParentHearsTheClick) {
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

TEST_F(CheckFixture, CheckBoxLabelNeedsRoomBeyondItsIndent) {
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

TEST_F(CheckFixture, RadioBoxUnchecksTheRestOfItsGroupByPostedMessages) {
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

// A page inside the group (a control parent, as a tabbed window's pages are) is walked into by
// the system; its check boxes are not the radio box's to clear.
TEST_F(CheckFixture, RadioBoxLeavesTheControlsOfAPageInItsGroupAlone) {
    HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 100,
                                200, 40, m_dialog.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(page, nullptr);
    SetWindowPos(page, m_dialog.m_radio[2].m_hWnd, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND check = CreateWindowExW(0, L"Button", L"On", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0,
                                 100, 20, page, nullptr, nullptr, nullptr);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);

    m_dialog.m_radio[1].SendMessage(BM_SETCHECK, 1);
    PumpMessages(0);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    DestroyWindow(page);
}

} // namespace
