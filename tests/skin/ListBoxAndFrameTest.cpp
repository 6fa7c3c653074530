// A skinned list box in its scroll frame on a real dialog: the wrap, the bars that follow
// the list, the unwrap, the item frames and the item under the pointer.
#include "skin/CSkinListBox.h"
#include "tests/skin/ControlPictures.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace skin_test;

constexpr UINT kTemplate = 310;
constexpr int kListId = 3101;
const RECT kListRect = {20, 20, 220, 260}; // ten items of 24

bool RectIs(const RECT& actual, const RECT& expected) {
    return EqualRect(&actual, &expected) != FALSE;
}

class RecordingList : public CSkinListBox {
public:
    HWND parentAtDestroy = nullptr;
    RECT rectAtDestroy = {};
    int messagesSeen = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        ++messagesSeen;
        if (message == WM_DESTROY) {
            parentAtDestroy = ::GetParent(m_hWnd);
            rectAtDestroy = GetWindowRect();
            ::MapWindowPoints(nullptr, parentAtDestroy, reinterpret_cast<POINT*>(&rectAtDestroy),
                              2);
        }
        return CSkinListBox::WindowProc(message, wParam, lParam);
    }
};

class ListDialog : public PicturedDialog {
public:
    explicit ListDialog(const SkinResFolder& res) : PicturedDialog(kTemplate, res) {}
    RecordingList m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kListId, m_list); }
    BOOL OnInitDialog() override {
        PicturedDialog::OnInitDialog();
        m_list.LoadItemImage();
        m_list.MoveWindow(kListRect); // the list is wrapped by now: its frame moves
        return TRUE;
    }
};

class ListFixture : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    SkinResFolder m_res;
    std::unique_ptr<ListDialog> m_dialog;

    void SetUp() override {
        WriteControlPictures(m_res);
        m_dialog = std::make_unique<ListDialog>(m_res);
        ASSERT_TRUE(m_dialog->Create(kTemplate));
        m_dialog->MoveWindow(50, 50, 400, 320);
        m_dialog->ShowWindow(SW_SHOW);
        PumpMessages(20);
    }
    RecordingList& List() { return m_dialog->m_list; }
    CSkinScrollFrame* Frame() { return List().m_pScrollFrame; }
    void Fill(int count) {
        List().ResetContent();
        for (int i = 0; i < count; ++i)
            List().AddString((L"item " + std::to_wstring(i)).c_str());
        PumpMessages(20);
    }
    RECT InDialog(HWND hwnd) {
        RECT rect = {};
        ::GetWindowRect(hwnd, &rect);
        m_dialog->ScreenToClient(rect);
        return rect;
    }
};

TEST_F(ListFixture, ListIsWrappedInAFrameThatTakesItsPlace) {
    ASSERT_NE(Frame(), nullptr);
    HWND inner = ::GetParent(List().m_hWnd);
    EXPECT_EQ(::GetDlgCtrlID(inner), 200);
    EXPECT_EQ(::GetParent(inner), Frame()->m_hWnd);
    EXPECT_EQ(Frame()->GetDlgCtrlID(), kListId);
    EXPECT_EQ(Frame()->GetWindowText(), L"SkinScrollFrame");
    EXPECT_EQ(List().GetStyle() & WS_BORDER, 0u);
    RECT frame = InDialog(Frame()->m_hWnd);
    EXPECT_TRUE(RectIs(frame, RECT{12, 12, 228, 268}));
    RECT list = List().GetWindowRect();
    EXPECT_EQ(list.right - list.left, 200);
    EXPECT_EQ(list.bottom - list.top, 240);
}

TEST_F(ListFixture, VerticalBarShowsOnlyWhenTheListScrollsAndFollowsIt) {
    Fill(3); // room for ten
    EXPECT_EQ(List().GetStyle() & WS_VSCROLL, 0u);
    EXPECT_FALSE(Frame()->m_vScroll.GetStyle() & WS_VISIBLE);

    Fill(50);
    ASSERT_TRUE(List().GetStyle() & WS_VSCROLL);
    CSkinScrollBar& bar = Frame()->m_vScroll;
    EXPECT_TRUE(bar.IsWindowVisible());
    // The bar lies over what is left of the system bar; the inner window clips that away.
    RECT barRect = bar.GetWindowRect();
    Frame()->ScreenToClient(barRect);
    EXPECT_TRUE(RectIs(barRect, RECT{198, 8, 208, 248}));
    RECT inner = Frame()->m_wndInner.GetWindowRect();
    Frame()->ScreenToClient(inner);
    EXPECT_TRUE(RectIs(inner, RECT{8, 8, 198, 248}));

    List().SetTopIndex(20);
    PumpMessages(600); // the frame's timer catches up at the latest
    EXPECT_EQ(bar.m_si.nMax, 49);
    EXPECT_EQ(bar.m_si.nPage, 10u);
    EXPECT_EQ(bar.m_si.nPos, 20);

    // A step from the bar scrolls the list and the bar takes the list's new state.
    RECT arrow = bar.GetClientRect();
    const int y = arrow.bottom - 3;
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, y));
    EXPECT_EQ(List().GetTopIndex(), 21);
    EXPECT_EQ(bar.m_si.nPos, 21);
}

TEST_F(ListFixture, DestroyingTheListPutsItBackAndRemovesTheFrame) {
    HWND frame = Frame()->m_hWnd;
    List().DestroyWindow();
    EXPECT_EQ(List().parentAtDestroy, m_dialog->m_hWnd);
    EXPECT_TRUE(EqualRect(&List().rectAtDestroy, &kListRect));
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(List().m_pScrollFrame, nullptr);
}

TEST_F(ListFixture, ListObjectLeavingFirstKeepsTheFrameOnTheList) {
    HWND list = List().m_hWnd;
    HWND frame = Frame()->m_hWnd;
    CSkinScrollBar& bar = Frame()->m_vScroll;
    List().UnsubclassWindow();
    const int seen = List().messagesSeen;

    for (int i = 0; i < 50; ++i)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 50); // the list's own procedure answers
    PumpMessages(20);
    EXPECT_TRUE(bar.IsWindowVisible()); // the frame still follows the list's scroll state

    DestroyWindow(list);
    EXPECT_FALSE(::IsWindow(frame)); // and still lets go of it
    EXPECT_EQ(List().messagesSeen, seen);
}

TEST_F(ListFixture, BackgroundIsCutAtTheListsPlaceFromTheStart) {
    // Pictures whose every pixel tells where it lies (the fixture's dialog holds the files).
    m_dialog.reset();
    for (SkinState state : {Normal, Hover})
        m_res.Write(L"dialog_" + std::to_wstring(state) + L".bmp",
                    BitmapFile(600, 500, [state](int x, int y) {
                        return (DWORD(x & 0xFF) << 16) | (DWORD(y & 0xFF) << 8) | DWORD(state);
                    }));
    PicturedDialog dialog(kTemplate, m_res);
    ASSERT_TRUE(dialog.Create(kTemplate));
    dialog.MoveWindow(50, 50, 400, 320);
    ::MoveWindow(::GetDlgItem(dialog.m_hWnd, kListId), 20, 20, 200, 240, FALSE);
    dialog.ShowWindow(SW_SHOW);
    PumpMessages(20);
    // Skinned and filled once on the screen: wrapped while it shows, and an item drawn at
    // once (the system list asks for its brush there) before the frame's layout has run.
    CSkinListBox list;
    ASSERT_TRUE(list.SubclassDlgItem(kListId, &dialog));
    list.AddString(L"i");
    list.SetCurSel(0);
    ASSERT_NE(list.m_pScrollFrame, nullptr);
    PumpMessages(20);

    RECT place = list.GetWindowRect();
    dialog.ScreenToClient(place);
    const DWORD state = list.GetHover() ? Hover : Normal;
    for (POINT p : {POINT{60, 40}, POINT{80, 60}, POINT{120, 100}}) { // below the item
        const DWORD expected = (DWORD((place.left + p.x) & 0xFF) << 16) |
                               (DWORD((place.top + p.y) & 0xFF) << 8) | state;
        EXPECT_EQ(WindowPixel(list.m_hWnd, p.x, p.y), expected) << p.x << "," << p.y;
    }
}

TEST_F(ListFixture, ItemHeightIsASeventhOfTheStrip) {
    struct Case {
        int height;
        int itemHeight;
    } cases[] = {{168, 24}, {170, 24}, {6, 0}};
    for (const Case& c : cases) {
        m_res.Write(L"strip.bmp", SolidBitmapFile(40, c.height, 0x112233));
        CSkinListBox list;
        list.LoadItemImage(m_res.File(L"strip.bmp").c_str());
        EXPECT_EQ(list.GetItemFrameHeight(), c.itemHeight) << c.height;
    }
    EXPECT_EQ(List().GetItemHeight(0), kItemHeight); // set although measured before the skin
}

TEST_F(ListFixture, ItemFramesFollowSelectionStateAndPointer) {
    Fill(5);
    List().SetItemHeight(0, kItemHeight);
    List().InsertString(1, L"");
    List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 3 * kItemHeight + 5)); // item 3 is hot
    struct Case {
        int item;
        UINT state;
        int frame;
    } cases[] = {
        {0, 0, 0},
        {0, ODS_DISABLED, 1},
        {0, ODS_DISABLED | ODS_SELECTED, 2},
        {3, 0, 3},
        {3, ODS_SELECTED, 4},
        {0, ODS_SELECTED, 5},
        {3, ODS_SELECTED | ODS_DISABLED, 2},
    };
    for (const Case& c : cases) {
        Canvas canvas(200, kItemHeight, 0x000001);
        DRAWITEMSTRUCT item = {ODT_LISTBOX,
                               kListId,
                               static_cast<UINT>(c.item),
                               ODA_DRAWENTIRE,
                               c.state,
                               List().m_hWnd,
                               canvas.Dc(),
                               RECT{0, 0, 200, kItemHeight},
                               0};
        m_dialog->SendMessage(WM_DRAWITEM, kListId, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(canvas.Pixel(150, 20), ItemFrameColour(c.frame)) << c.item << " " << c.state;
    }
    // An item without text is not drawn at all.
    Canvas canvas(200, kItemHeight, 0x000001);
    DRAWITEMSTRUCT empty = {ODT_LISTBOX,
                            kListId,
                            1,
                            ODA_DRAWENTIRE,
                            0,
                            List().m_hWnd,
                            canvas.Dc(),
                            RECT{0, 0, 200, kItemHeight},
                            0};
    m_dialog->SendMessage(WM_DRAWITEM, kListId, reinterpret_cast<LPARAM>(&empty));
    EXPECT_EQ(canvas.CountOther(RECT{0, 0, 200, kItemHeight}, 0x000001), 0);
}

TEST_F(ListFixture, HotItemIsTheItemUnderThePointer) {
    Fill(5);
    struct Move {
        int y;
        int hot;
    } moves[] = {{3 * kItemHeight + 5, 3}, {4 * kItemHeight + 5, 4}, {6 * kItemHeight, -1}};
    for (const Move& m : moves) {
        List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, m.y));
        EXPECT_EQ(List().GetHotItem(), m.hot) << m.y;
    }
    List().SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(List().GetHotItem(), -2);
}

TEST_F(ListFixture, BackgroundComesFromTheDialogPictureOfTheState) {
    Fill(2);
    const int below = 5 * kItemHeight; // empty area under the items
    List().Invalidate(TRUE);
    EXPECT_EQ(WindowPixel(List().m_hWnd, 100, below), StateColour(Normal));
    List().SendMessage(WM_SKIN_HOVER, 1, 0);
    EXPECT_EQ(WindowPixel(List().m_hWnd, 100, below), StateColour(Hover));
    List().EnableWindow(FALSE);
    EXPECT_EQ(WindowPixel(List().m_hWnd, 100, below), StateColour(Disable));
    // The frame's margin follows the dialog as well.
    EXPECT_EQ(WindowPixel(Frame()->m_hWnd, 2, 2), StateColour(Disable));
}

} // namespace
