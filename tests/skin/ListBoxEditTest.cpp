// The editable list on a real dialog: item records, item buttons, in-place editing and the
// moves, with bad indexes that must leave the list as it was.
#include "skin/CSkinListBoxEdit.h"
#include "tests/skin/ControlPictures.h"
#include "tests/skin/PointerSupport.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace skin_test;

constexpr UINT kTemplate = 312;
constexpr int kListId = 3121;

class EditListDialog : public PicturedDialog {
public:
    explicit EditListDialog(const SkinResFolder& res) : PicturedDialog(kTemplate, res) {}
    CSkinListBoxEdit m_list;
    std::vector<std::pair<WPARAM, HWND>> edited;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kListId, m_list); }
    BOOL OnInitDialog() override {
        PicturedDialog::OnInitDialog();
        m_list.LoadItemImage();
        m_list.LoadButtonImage();
        m_list.MoveWindow(20, 20, 400, 240);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SKIN_ITEMEDITED)
            edited.emplace_back(wParam, reinterpret_cast<HWND>(lParam));
        return PicturedDialog::WindowProc(message, wParam, lParam);
    }
};

class EditListFixture : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    SkinResFolder m_res;
    std::unique_ptr<EditListDialog> m_dialog;

    void SetUp() override {
        WriteControlPictures(m_res);
        m_dialog = std::make_unique<EditListDialog>(m_res);
        ASSERT_TRUE(m_dialog->Create(kTemplate));
        m_dialog->MoveWindow(50, 50, 460, 320);
        m_dialog->ShowWindow(SW_SHOW);
        SetForegroundWindow(m_dialog->m_hWnd);
        PumpMessages(20);
    }
    CSkinListBoxEdit& List() { return m_dialog->m_list; }

    void Fill(int count, int buttons = 15) {
        for (int i = 0; i < count; ++i)
            List().InsertItem(-1, (L"item " + std::to_wstring(i)).c_str(), i, 0, -1, buttons);
        PumpMessages(20);
    }
    std::vector<std::wstring> Texts() {
        std::vector<std::wstring> texts;
        for (int i = 0; i < List().GetCount(); ++i)
            texts.push_back(List().GetText(i));
        return texts;
    }
    std::vector<int> Data() {
        std::vector<int> data;
        for (int i = 0; i < List().GetCount(); ++i) {
            const CSkinListBoxEdit::ItemRecord* record = List().GetItemRecord(i);
            data.push_back(record ? record->data0 : -100);
        }
        return data;
    }
    // Points at the middle of an item as the system would.
    void PointAtItem(int index) {
        RECT rect = {};
        List().GetItemRect(index, &rect);
        POINT point = {40, (rect.top + rect.bottom) / 2};
        POINT screen = point;
        List().ClientToScreen(screen);
        MovePointer(screen.x, screen.y);
        List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        List().UpdateWindow();
    }
    int ButtonX(CSkinButton& button) {
        RECT rect = button.GetWindowRect();
        List().ScreenToClient(rect);
        return rect.left;
    }
    void EndEditByLosingFocus() {
        m_dialog->SetFocus();
        PumpMessages(30);
    }
};

TEST_F(EditListFixture, HotItemShowsItsButtonsRightAligned) {
    Fill(2);
    PointAtItem(0);
    CSkinListBoxEdit& list = List();
    for (CSkinButton* button : {&list.m_btnDown, &list.m_btnUp, &list.m_btnDelete, &list.m_btnEdit})
        EXPECT_TRUE(button->IsWindowVisible());
    EXPECT_EQ(ButtonX(list.m_btnDown), 381);
    EXPECT_EQ(ButtonX(list.m_btnUp), 362);
    EXPECT_EQ(ButtonX(list.m_btnDelete), 343);
    EXPECT_EQ(ButtonX(list.m_btnEdit), 324);

    // Moving to the next item takes the buttons along.
    PointAtItem(1);
    RECT button = list.m_btnDown.GetWindowRect();
    list.ScreenToClient(button);
    EXPECT_EQ(button.top, kItemHeight + (kItemHeight - kButtonSize) / 2);
}

TEST_F(EditListFixture, ItemsWithoutButtonMaskTakeTheDefaultButtons) {
    List().m_nDefaultButtons = 3;
    List().AddItem(L"default");
    PointAtItem(0);
    EXPECT_TRUE(List().m_btnEdit.IsWindowVisible());
    EXPECT_TRUE(List().m_btnDelete.IsWindowVisible());
    EXPECT_FALSE(List().m_btnUp.IsWindowVisible());
    EXPECT_FALSE(List().m_btnDown.IsWindowVisible());
}

TEST_F(EditListFixture, EveryEndedEditIsPostedEvenWithoutChange) {
    Fill(3);
    struct Case {
        const wchar_t* typed;
        const wchar_t* result;
    } cases[] = {{L"renamed", L"renamed"}, {L"", L"renamed"}, {L"renamed", L"renamed"}};
    for (const Case& c : cases) {
        m_dialog->edited.clear();
        List().SetCurSel(1);
        List().BeginEdit();
        ASSERT_TRUE(List().IsEditing());
        List().m_editor.SetWindowText(c.typed);
        EndEditByLosingFocus();
        EXPECT_FALSE(List().IsEditing());
        EXPECT_EQ(List().GetText(1), c.result) << c.typed;
        using Notice = std::pair<WPARAM, HWND>;
        EXPECT_EQ(m_dialog->edited, (std::vector<Notice>{{1, List().m_hWnd}})) << c.typed;
    }
    EXPECT_EQ(Data(), (std::vector<int>{0, 1, 2})); // the renamed item kept its record
}

TEST_F(EditListFixture, NumberModeTakesOneDecimalPointAndEndsOnEnter) {
    Fill(1);
    List().m_editor.m_nInputMode = CSkinListBoxEdit_Edit::kDecimalNumber;
    List().SetCurSel(0);
    List().BeginEdit();
    CSkinListBoxEdit_Edit& editor = List().m_editor;
    editor.SetWindowText(L"");
    for (wchar_t ch : std::wstring(L"1.2.3x"))
        editor.SendMessage(WM_CHAR, ch, 1);
    EXPECT_EQ(editor.GetWindowText(), L"1.23");

    MSG enter = {editor.m_hWnd, WM_KEYDOWN, VK_RETURN, 1};
    CWnd::WalkPreTranslateTree(m_dialog->m_hWnd, &enter);
    PumpMessages(30);
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(List().GetText(0), L"1.23");

    // In free text Enter does not end the edit.
    editor.m_nInputMode = CSkinListBoxEdit_Edit::kFreeText;
    List().BeginEdit();
    MSG again = {editor.m_hWnd, WM_KEYDOWN, VK_RETURN, 1};
    CWnd::WalkPreTranslateTree(m_dialog->m_hWnd, &again);
    PumpMessages(30);
    EXPECT_TRUE(List().IsEditing());
    EndEditByLosingFocus();
}

TEST_F(EditListFixture, SwapAndMoveCarryTextAndRecord) {
    Fill(6);
    List().SwapItems(5, 2);
    EXPECT_EQ(Data(), (std::vector<int>{0, 1, 5, 3, 4, 2}));
    EXPECT_EQ(List().GetText(2), L"item 5");
    EXPECT_EQ(List().MoveItem(0, 5, TRUE), 5);
    EXPECT_EQ(Data(), (std::vector<int>{1, 5, 3, 4, 2, 0}));
    EXPECT_EQ(List().GetCurSel(), 5);
    EXPECT_EQ(List().SetItemText(1, L"five"), 5); // what the delete left
    EXPECT_EQ(List().GetText(1), L"five");
    EXPECT_EQ(Data(), (std::vector<int>{1, 5, 3, 4, 2, 0}));
}

TEST_F(EditListFixture, BadIndexesLeaveTheListAsItWas) {
    Fill(6);
    const std::vector<std::wstring> texts = Texts();
    const std::vector<int> data = Data();
    for (int bad : {-1, -5, 6, 1000}) {
        EXPECT_EQ(List().MoveItem(bad, 0, TRUE), -1) << bad;
        EXPECT_EQ(List().SetItemText(bad, L"x"), LB_ERR) << bad;
        List().SwapItems(bad, 2);
        List().SwapItems(2, bad);
        List().FreeItemData(bad);
    }
    for (int bad : {-5, 6, 1000})
        EXPECT_EQ(List().MoveItem(1, bad, TRUE), -1) << bad; // nowhere to go: not lost
    List().SwapItems(3, 3);
    EXPECT_EQ(Texts(), texts);
    EXPECT_EQ(Data(), data);

    // Move up on the first item and down on the last do nothing.
    PointAtItem(0);
    List().SendMessage(WM_COMMAND, MAKEWPARAM(CSkinListBoxEdit::IdUp, BN_CLICKED),
                       reinterpret_cast<LPARAM>(List().m_btnUp.m_hWnd));
    PointAtItem(5);
    List().SendMessage(WM_COMMAND, MAKEWPARAM(CSkinListBoxEdit::IdDown, BN_CLICKED),
                       reinterpret_cast<LPARAM>(List().m_btnDown.m_hWnd));
    EXPECT_EQ(Data(), data);

    // Down on item 4 moves it and keeps the pointer on it.
    PointAtItem(4);
    POINT before = {};
    GetCursorPos(&before);
    List().SendMessage(WM_COMMAND, MAKEWPARAM(CSkinListBoxEdit::IdDown, BN_CLICKED),
                       reinterpret_cast<LPARAM>(List().m_btnDown.m_hWnd));
    EXPECT_EQ(Data(), (std::vector<int>{0, 1, 2, 3, 5, 4}));
    POINT pointer = WaitForPointerToMove(before);
    List().ScreenToClient(pointer);
    EXPECT_EQ(pointer.y / kItemHeight, 5);
}

TEST_F(EditListFixture, ButtonsStayWhileThePointerIsOnThemAndGoOverTheScrollBar) {
    Fill(20);
    PointAtItem(2);
    ASSERT_TRUE(List().m_btnDelete.IsWindowVisible());

    RECT button = List().m_btnDelete.GetWindowRect();
    MovePointer((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    List().SendMessage(WM_MOUSELEAVE);
    List().UpdateWindow();
    EXPECT_EQ(List().GetHotItem(), 2);
    EXPECT_TRUE(List().m_btnDelete.IsWindowVisible());

    CSkinScrollBar& bar = List().m_pScrollFrame->m_vScroll;
    ASSERT_TRUE(bar.IsWindowVisible());
    RECT barRect = bar.GetWindowRect();
    MovePointer((barRect.left + barRect.right) / 2, (barRect.top + barRect.bottom) / 2);
    List().SendMessage(WM_MOUSELEAVE);
    List().UpdateWindow();
    EXPECT_EQ(List().GetHotItem(), -2);
    EXPECT_FALSE(List().m_btnDelete.IsWindowVisible());
}

TEST_F(EditListFixture, DeleteButtonRemovesTheHotItem) {
    Fill(3);
    PointAtItem(1);
    List().SendMessage(WM_COMMAND, MAKEWPARAM(CSkinListBoxEdit::IdDelete, BN_CLICKED),
                       reinterpret_cast<LPARAM>(List().m_btnDelete.m_hWnd));
    EXPECT_EQ(Data(), (std::vector<int>{0, 2}));
    EXPECT_FALSE(List().m_btnDelete.IsWindowVisible());
}

} // namespace
