// A skinned combo box with a read-only field and its drop-down list in a skinned frame, on a
// real dialog.
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "tests/skin/ControlPictures.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace skin_test;

constexpr UINT kTemplate = 311;
constexpr int kComboId = 3111;
constexpr int kButtonId = 3113;

class ComboDialog : public PicturedDialog {
public:
    explicit ComboDialog(const SkinResFolder& res) : PicturedDialog(kTemplate, res) {}
    CSkinComboBox m_combo;
    CSkinButton m_button;
    int dropDownsHeard = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, kComboId, m_combo);
        DDX_Control(dx, kButtonId, m_button);
    }
    BOOL OnInitDialog() override {
        PicturedDialog::OnInitDialog();
        m_combo.MoveWindow(20, 20, 150, 150); // 150: the height of the dropped list
        m_combo.m_edit.SetReadOnly(TRUE);
        for (const wchar_t* text : {L"one", L"two", L"three"})
            m_combo.AddString(text);
        if (CSkinScrollFrame* frame = m_combo.m_list.m_pScrollFrame) {
            frame->m_nInset = 1;
            frame->LoadComboListImage();
        }
        m_button.MoveWindow(300, 20, 40, 20);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == kComboId && HIWORD(wParam) == CBN_DROPDOWN)
            ++dropDownsHeard;
        return PicturedDialog::WindowProc(message, wParam, lParam);
    }
};

class ComboFixture : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    SkinResFolder m_res;
    std::unique_ptr<ComboDialog> m_dialog;

    void SetUp() override {
        WriteControlPictures(m_res);
        m_dialog = std::make_unique<ComboDialog>(m_res);
        ASSERT_TRUE(m_dialog->Create(kTemplate));
        m_dialog->MoveWindow(50, 50, 420, 320);
        m_dialog->ShowWindow(SW_SHOW);
        SetForegroundWindow(m_dialog->m_hWnd);
        PumpMessages(20);
    }
    void TearDown() override {
        if (m_dialog && m_dialog->m_combo.GetDroppedState())
            m_dialog->m_combo.ShowDropDown(FALSE);
    }
    CSkinComboBox& Combo() { return m_dialog->m_combo; }
};

TEST_F(ComboFixture, ListDropsInATopmostToolFrameJustBelowTheCombo) {
    CSkinScrollFrame* frame = Combo().m_list.m_pScrollFrame;
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Combo().GetItemHeight(0), kItemHeight);

    Combo().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 5));
    PumpMessages(50);
    ASSERT_TRUE(Combo().GetDroppedState());
    EXPECT_EQ(m_dialog->dropDownsHeard, 0); // the combo answers it alone
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(Combo().m_list.IsWindowVisible());
    EXPECT_EQ(frame->GetExStyle() & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              static_cast<DWORD>(WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    const RECT combo = Combo().GetWindowRect();
    const RECT dropped = frame->GetWindowRect();
    EXPECT_EQ(dropped.left, combo.left);
    EXPECT_EQ(dropped.top, combo.bottom);
    EXPECT_EQ(dropped.bottom - dropped.top, 3 * kItemHeight + 2);
    EXPECT_EQ(WindowPixel(frame->m_hWnd, 0, 0), kComboListColour); // its own margin picture

    Combo().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 5));
    PumpMessages(50);
    EXPECT_FALSE(Combo().GetDroppedState());
    EXPECT_FALSE(frame->IsWindowVisible());

    // The list's frame goes with the combo box.
    HWND frameWindow = frame->m_hWnd;
    m_dialog.reset();
    EXPECT_FALSE(::IsWindow(frameWindow));
}

TEST_F(ComboFixture, ReadOnlyFieldShowsNoSelectionKeepsNoFocusAndOpensTheList) {
    CSkinComboBox_Edit& field = Combo().m_edit;
    Combo().SetCurSel(1);
    field.SendMessage(EM_SETSEL, 0, -1);
    int start = -1;
    int end = -1;
    field.GetSel(start, end);
    EXPECT_EQ(start, end);

    m_dialog->m_button.SetFocus();
    field.SetFocus();
    EXPECT_EQ(::GetFocus(), m_dialog->m_button.m_hWnd);

    field.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpMessages(50);
    EXPECT_TRUE(Combo().GetDroppedState());
}

TEST_F(ComboFixture, ButtonAreaTakesTheComboState) {
    const RECT button = Combo().GetButtonRect();
    ASSERT_FALSE(IsRectEmpty(&button));
    const int x = (button.left + button.right) / 2;
    const int y = (button.top + button.bottom) / 2;
    Combo().Invalidate(TRUE);
    EXPECT_EQ(WindowPixel(Combo().m_hWnd, x, y), StateColour(Normal)); // read-only: no button look
    Combo().EnableWindow(FALSE);
    Combo().Invalidate(TRUE);
    EXPECT_EQ(WindowPixel(Combo().m_hWnd, x, y), StateColour(Disable));
}

} // namespace
