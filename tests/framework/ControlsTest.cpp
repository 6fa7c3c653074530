// A dialog carrying every control class, bound through DoDataExchange, with the
// notifications those controls send their parent reflected back to them.
#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "framework/CDialog.h"
#include "framework/CEdit.h"
#include "framework/CListBox.h"
#include "framework/CScrollBar.h"
#include "framework/CSliderCtrl.h"
#include "framework/CStatic.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kControlsTemplate = 202;

class DrawnButton : public CButton {
public:
    int drawItems = 0;
    BOOL consumeClicks = FALSE;
    int clicks = 0;

protected:
    void DrawItem(DRAWITEMSTRUCT*) override { ++drawItems; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            ++clicks;
            return consumeClicks;
        }
        return CButton::OnChildNotify(message, wParam, lParam, result);
    }
};

class MeasuredList : public CListBox {
public:
    int measured = 0;

protected:
    void MeasureItem(MEASUREITEMSTRUCT* item) override {
        ++measured;
        item->itemHeight = 24;
    }
};

class ControlsDialog : public CDialog {
public:
    ControlsDialog() : CDialog(kControlsTemplate) {}

    DrawnButton m_drawn;
    CButton m_push;
    CButton m_check;
    CEdit m_name;
    CEdit m_number;
    MeasuredList m_list;
    CComboBox m_combo;
    CStatic m_static;
    CSliderCtrl m_slider;
    CScrollBar m_scroll;

    std::wstring m_nameValue = L"first";
    int m_numberValue = 12;
    int m_checkValue = 1;

    std::vector<UINT> parentSaw; // what of the drawn button reached the dialog itself

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, 1100, m_drawn);
        DDX_Control(dx, 1101, m_push);
        DDX_Control(dx, 1102, m_check);
        DDX_Control(dx, 1103, m_name);
        DDX_Control(dx, 1104, m_number);
        DDX_Control(dx, 1105, m_list);
        DDX_Control(dx, 1106, m_combo);
        DDX_Control(dx, 1107, m_static);
        DDX_Control(dx, 1108, m_slider);
        DDX_Control(dx, 1109, m_scroll);
        DDX_Text(dx, 1103, m_nameValue);
        DDX_Text(dx, 1104, m_numberValue);
        DDX_Check(dx, 1102, m_checkValue);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DRAWITEM || (message == WM_COMMAND && LOWORD(wParam) == 1100))
            parentSaw.push_back(message == WM_COMMAND ? HIWORD(wParam) : message);
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

class ControlsFixture : public testing::Test {
protected:
    ControlsDialog m_dialog;
    void SetUp() override {
        ASSERT_TRUE(m_dialog.Create(kControlsTemplate));
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.UpdateWindow();
    }
};

TEST_F(ControlsFixture, EveryTemplateControlIsBoundToItsMember) {
    CWnd* members[] = {&m_dialog.m_drawn,  &m_dialog.m_push,  &m_dialog.m_check, &m_dialog.m_name,
                       &m_dialog.m_number, &m_dialog.m_list,  &m_dialog.m_combo, &m_dialog.m_static,
                       &m_dialog.m_slider, &m_dialog.m_scroll};
    int id = 1100;
    for (CWnd* member : members) {
        EXPECT_EQ(member->m_hWnd, GetDlgItem(m_dialog, id)) << id;
        EXPECT_EQ(CWnd::FromHandlePermanent(member->m_hWnd), member) << id;
        EXPECT_EQ(m_dialog.GetDlgItem(id), member) << id;
        ++id;
    }
}

TEST_F(ControlsFixture, OwnerDrawIsAnsweredByTheControlAlone) {
    m_dialog.m_drawn.Invalidate();
    m_dialog.m_drawn.UpdateWindow();
    EXPECT_GT(m_dialog.m_drawn.drawItems, 0);
    for (UINT seen : m_dialog.parentSaw)
        EXPECT_NE(seen, static_cast<UINT>(WM_DRAWITEM));

    // A list the object creates itself is bound before the system measures its items.
    MeasuredList created;
    ASSERT_TRUE(created.Create(WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                               RECT{10, 10, 110, 110}, &m_dialog, 1300));
    EXPECT_EQ(created.measured, 1);
    created.AddString(L"one");
    EXPECT_EQ(created.GetItemHeight(0), 24);
}

TEST_F(ControlsFixture, ClickReachesTheParentUnlessTheControlKeepsIt) {
    auto click = [&] {
        m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(1100, BN_CLICKED),
                             reinterpret_cast<LPARAM>(m_dialog.m_drawn.m_hWnd));
    };
    click();
    EXPECT_EQ(m_dialog.m_drawn.clicks, 1);
    EXPECT_EQ(m_dialog.parentSaw, std::vector<UINT>{BN_CLICKED});

    m_dialog.m_drawn.consumeClicks = TRUE;
    click();
    EXPECT_EQ(m_dialog.m_drawn.clicks, 2);
    EXPECT_EQ(m_dialog.parentSaw.size(), 1u);
}

TEST_F(ControlsFixture, UpdateDataMovesValuesBothWays) {
    EXPECT_EQ(m_dialog.m_name.GetWindowText(), L"first"); // OnInitDialog filled them
    EXPECT_EQ(m_dialog.m_number.GetWindowText(), L"12");
    EXPECT_EQ(m_dialog.m_check.GetCheck(), BST_CHECKED);

    m_dialog.m_name.SetWindowText(L"second");
    m_dialog.m_number.SetWindowText(L"-40");
    m_dialog.m_check.SetCheck(BST_UNCHECKED);
    EXPECT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(m_dialog.m_nameValue, L"second");
    EXPECT_EQ(m_dialog.m_numberValue, -40);
    EXPECT_EQ(m_dialog.m_checkValue, 0);

    for (const wchar_t* bad : {L"", L"12a", L"99999999999"}) {
        m_dialog.m_number.SetWindowText(bad);
        EXPECT_FALSE(m_dialog.UpdateData(TRUE)) << bad;
        EXPECT_EQ(m_dialog.m_numberValue, -40) << bad;
    }

    m_dialog.m_nameValue = L"third";
    m_dialog.m_numberValue = 7;
    EXPECT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(m_dialog.m_name.GetWindowText(), L"third");
    EXPECT_EQ(m_dialog.m_number.GetWindowText(), L"7");
}

class MistypedDialog : public ControlsDialog {
public:
    bool bindMissing = true;
    CButton m_missing;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        ControlsDialog::DoDataExchange(dx);
        if (bindMissing)
            DDX_Control(dx, 1199, m_missing); // no control has this id
    }
};

TEST(DataExchange, ControlMissingFromTheTemplateFailsTheExchange) {
    MistypedDialog dialog;
    EXPECT_FALSE(dialog.Create(kControlsTemplate)); // its first exchange already fails
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.DoModal(), -1);

    dialog.bindMissing = false;
    ASSERT_TRUE(dialog.Create(kControlsTemplate));
    dialog.bindMissing = true;
    dialog.m_name.SetWindowText(L"read");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nameValue, L"read"); // what could be read still is
    EXPECT_EQ(dialog.m_missing.m_hWnd, nullptr);
}

TEST_F(ControlsFixture, ControlWrappersDriveTheirControls) {
    CListBox& list = m_dialog.m_list;
    list.AddString(L"alpha");
    list.AddString(L"beta");
    list.SetItemData(1, static_cast<LPARAM>(0x123456789A)); // pointer-sized
    list.SetCurSel(1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetText(1), L"beta");
    EXPECT_EQ(list.GetItemData(1), static_cast<LRESULT>(0x123456789A));
    EXPECT_EQ(list.GetCurSel(), 1);

    CComboBox& combo = m_dialog.m_combo;
    combo.AddString(L"one");
    combo.AddString(L"two");
    combo.SetCurSel(1);
    EXPECT_EQ(combo.GetLBText(combo.GetCurSel()), L"two");
    COMBOBOXINFO info;
    ASSERT_TRUE(combo.GetComboBoxInfo(&info));
    EXPECT_NE(info.hwndList, nullptr);

    CSliderCtrl& slider = m_dialog.m_slider;
    slider.SetRange(0, 3);
    slider.SetPos(5);
    EXPECT_EQ(slider.GetPos(), 3); // the trackbar clamps
    EXPECT_EQ(slider.GetRangeMax(), 3);

    CScrollBar& scroll = m_dialog.m_scroll;
    SCROLLINFO si = {};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 30;
    scroll.SetScrollInfo(&si);
    SCROLLINFO back = {};
    ASSERT_TRUE(scroll.GetScrollInfo(&back));
    EXPECT_EQ(back.nMax, 99);
    EXPECT_EQ(back.nPage, 10u);
    EXPECT_EQ(back.nPos, 30);

    CEdit& edit = m_dialog.m_name;
    edit.SetWindowText(L"hello");
    edit.SetSel(1, 3);
    edit.ReplaceSel(L"EL");
    EXPECT_EQ(edit.GetWindowText(), L"hELlo");
}

} // namespace
