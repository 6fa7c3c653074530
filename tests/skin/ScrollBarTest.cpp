// The skinned scroll bar: its geometry, its picture, and its mouse handling on a real window
// whose parent plays the scrolled control.
#include "framework/CDialog.h"
#include "skin/CSkinScrollBar.h"
#include "skin/ScrollBarGeometry.h"
#include "tests/skin/PointerSupport.h"
#include "tests/skin/SkinResFolder.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using skin::ScrollBarGeometry;
using skin_test::PumpMessages;

SCROLLINFO Info(int nMin, int nMax, UINT nPage, int nPos) {
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    si.nMin = nMin;
    si.nMax = nMax;
    si.nPage = nPage;
    si.nPos = nPos;
    return si;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

TEST(ScrollBarGeometry, PartsOfAVerticalBar) {
    // 200 pixels, 25-pixel arrows, 50 items of which 10 are shown, at item 20.
    ScrollBarGeometry g = ScrollBarGeometry::Compute(200, 25, 12, Info(0, 49, 10, 20), true);
    EXPECT_TRUE(SameRect(g.arrow1, RECT{0, 0, 12, 25}));
    EXPECT_TRUE(SameRect(g.pageUp, RECT{0, 25, 12, 85}));
    EXPECT_TRUE(SameRect(g.thumb, RECT{0, 85, 12, 115}));
    EXPECT_TRUE(SameRect(g.pageDown, RECT{0, 115, 12, 175}));
    EXPECT_TRUE(SameRect(g.arrow2, RECT{0, 175, 12, 200}));

    struct Hit {
        POINT point;
        int part;
    } hits[] = {{{5, 3}, SB_LINEUP},     {{5, 50}, SB_PAGEUP},    {{5, 100}, SB_THUMBTRACK},
                {{5, 150}, SB_PAGEDOWN}, {{5, 199}, SB_LINEDOWN}, {{20, 100}, skin::PartNone}};
    for (const Hit& hit : hits)
        EXPECT_EQ(g.HitTest(hit.point), hit.part) << hit.point.y;
}

TEST(ScrollBarGeometry, EdgeCases) {
    // Too short for its arrows: they share the length and there is no thumb.
    ScrollBarGeometry shortBar = ScrollBarGeometry::Compute(20, 25, 12, Info(0, 49, 10, 0), true);
    EXPECT_TRUE(SameRect(shortBar.arrow1, RECT{0, 0, 12, 10}));
    EXPECT_TRUE(SameRect(shortBar.arrow2, RECT{0, 10, 12, 20}));
    EXPECT_TRUE(IsRectEmpty(&shortBar.thumb));

    // A horizontal bar is the vertical one transposed.
    ScrollBarGeometry across = ScrollBarGeometry::Compute(200, 25, 12, Info(0, 49, 10, 20), false);
    EXPECT_TRUE(SameRect(across.thumb, RECT{85, 0, 115, 12}));
    EXPECT_TRUE(SameRect(across.arrow2, RECT{175, 0, 200, 12}));

    // A tiny page still has a thumb of 8 pixels; one larger than the range stays in the track.
    ScrollBarGeometry tiny = ScrollBarGeometry::Compute(200, 25, 12, Info(0, 9999, 1, 0), true);
    EXPECT_EQ(tiny.thumb.bottom - tiny.thumb.top, 8);
    ScrollBarGeometry huge = ScrollBarGeometry::Compute(200, 25, 12, Info(0, 2, 10, 1), true);
    EXPECT_GE(huge.thumb.top, 25);
    EXPECT_LE(huge.thumb.bottom, 175);
}

TEST(ScrollBarGeometry, DragIsClampedToTheLastPage) {
    const SCROLLINFO si = Info(0, 49, 10, 20);
    EXPECT_EQ(skin::DragPosition(200, 25, si, 0, 20), 20);
    EXPECT_EQ(skin::DragPosition(200, 25, si, 30, 20), 30); // 30 × 40 / 120
    EXPECT_EQ(skin::DragPosition(200, 25, si, 5000, 20), 40);
    EXPECT_EQ(skin::DragPosition(200, 25, si, -5000, 20), 0);
}

// Cell colours of the 4 × 4 bar picture: column c, row r. The first arrow's cells are
// two-coloured (top half, bottom half) so that turning them shows.
DWORD CellColour(int column, int row) {
    return (DWORD(0x30 + column * 0x30) << 16) | (DWORD(0x30 + row * 0x30) << 8);
}
constexpr DWORD kArrowBottomHalf = 0x0000F0;
constexpr int kCellWidth = 10;
constexpr int kCellHeight = 25;

std::string BarPicture(DWORD shift = 0) {
    return skin_test::BitmapFile(4 * kCellWidth, 4 * kCellHeight, [shift](int x, int y) {
        const int column = x / kCellWidth;
        const int row = y / kCellHeight;
        if (column == 0 && y % kCellHeight >= kCellHeight / 2)
            return kArrowBottomHalf;
        return CellColour(column, row) + shift;
    });
}

// Plays the scrolled control: records what the bar sends and, if asked, scrolls.
class BarHost : public CDialog {
public:
    BarHost() : CDialog(301) {}

    struct Sent {
        int code;
        int position;
        DWORD tick;
    };
    std::vector<Sent> sent;
    bool followSteps = false;
    CSkinScrollBar* bar = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_VSCROLL || message == WM_HSCROLL) {
            sent.push_back({LOWORD(wParam), static_cast<short>(HIWORD(wParam)), GetTickCount()});
            if (followSteps && bar)
                Step(LOWORD(wParam));
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    void Step(int code) {
        SCROLLINFO si = {sizeof(si), SIF_ALL};
        bar->GetScrollInfo(&si);
        const int last = si.nMax - static_cast<int>(si.nPage) + 1;
        int pos = si.nPos;
        switch (code) {
        case SB_LINEUP:
            --pos;
            break;
        case SB_LINEDOWN:
            ++pos;
            break;
        case SB_PAGEUP:
            pos -= static_cast<int>(si.nPage);
            break;
        case SB_PAGEDOWN:
            pos += static_cast<int>(si.nPage);
            break;
        }
        si.nPos = pos < si.nMin ? si.nMin : pos > last ? last : pos;
        si.fMask = SIF_POS;
        bar->SetScrollInfo(&si, TRUE);
    }
};

class ScrollBarFixture : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    skin_test::SkinResFolder m_res;
    BarHost m_host;
    std::unique_ptr<CSkinScrollBar> m_bar = std::make_unique<CSkinScrollBar>();

    void SetUp() override {
        m_res.Write(L"scrollbar.bmp", BarPicture());
        ASSERT_TRUE(m_host.Create(301));
        m_host.MoveWindow(100, 100, 300, 300);
        m_host.ShowWindow(SW_SHOW);
        m_host.bar = m_bar.get();
        ASSERT_TRUE(
            m_bar->Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{20, 20, 32, 220}, &m_host, 101));
        SCROLLINFO si = Info(0, 49, 10, 20);
        m_bar->SetScrollInfo(&si, TRUE);
        m_host.UpdateWindow();
    }
    void TearDown() override {
        if (GetCapture())
            ReleaseCapture();
    }

    POINT OnScreen(int x, int y) const {
        POINT point = {x, y};
        m_bar->ClientToScreen(point);
        return point;
    }
    DWORD BarPixel(int x, int y) const {
        m_bar->UpdateWindow();
        HDC dc = GetDC(m_bar->m_hWnd);
        COLORREF pixel = GetPixel(dc, x, y);
        ReleaseDC(m_bar->m_hWnd, dc);
        return (DWORD(GetRValue(pixel)) << 16) | (DWORD(GetGValue(pixel)) << 8) | GetBValue(pixel);
    }
    void Press(int x, int y) { m_bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Release(int x, int y) { m_bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
};

TEST_F(ScrollBarFixture, KeepsItsOwnScrollStateAndSizesFromThePicture) {
    EXPECT_EQ(m_bar->m_nThickness, kCellWidth);
    EXPECT_EQ(m_bar->m_nArrowSize, kCellHeight);
    EXPECT_EQ(m_bar->m_nLength, 200);
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    ASSERT_TRUE(m_bar->GetScrollInfo(&si));
    EXPECT_EQ(si.nMax, 49);
    EXPECT_EQ(si.nPage, 10u);
    EXPECT_EQ(si.nPos, 20);
    SCROLLINFO pos = {sizeof(pos), SIF_POS};
    pos.nPos = 7;
    m_bar->SetScrollInfo(&pos, FALSE);
    m_bar->GetScrollInfo(&si);
    EXPECT_EQ(si.nPos, 7);
    EXPECT_EQ(si.nMax, 49); // only the fields named by the mask change
}

TEST_F(ScrollBarFixture, PaintsItsPartsFromThePictureCells) {
    m_bar->Invalidate(FALSE);
    EXPECT_EQ(BarPixel(5, 2), CellColour(0, 0));   // first arrow, top half
    EXPECT_EQ(BarPixel(5, 20), kArrowBottomHalf);  // first arrow, bottom half
    EXPECT_EQ(BarPixel(5, 50), CellColour(3, 0));  // track
    EXPECT_EQ(BarPixel(5, 100), CellColour(2, 0)); // thumb (85..115)
    EXPECT_EQ(BarPixel(5, 190), CellColour(1, 0)); // second arrow

    m_bar->EnableWindow(FALSE);
    EXPECT_EQ(BarPixel(5, 100), CellColour(2, 1));
    EXPECT_EQ(BarPixel(5, 190), CellColour(1, 1));

    // Turned for a horizontal bar: the cell's top lands on the left.
    CSkinScrollBar across;
    ASSERT_TRUE(across.Create(WS_CHILD | WS_VISIBLE, RECT{40, 240, 240, 250}, &m_host, 102));
    SCROLLINFO si = Info(0, 49, 10, 0);
    across.SetScrollInfo(&si, TRUE);
    across.UpdateWindow();
    HDC dc = GetDC(across.m_hWnd);
    EXPECT_EQ(GetPixel(dc, 2, 5), RGB(0x30, 0x30, 0));
    EXPECT_EQ(GetPixel(dc, 20, 5), RGB(0, 0, 0xF0));
    ReleaseDC(across.m_hWnd, dc);
}

TEST_F(ScrollBarFixture, SharedPictureLivesWhileAnyBarDoes) {
    auto second = std::make_unique<CSkinScrollBar>();
    ASSERT_TRUE(
        second->Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{50, 20, 62, 220}, &m_host, 102));
    second.reset(); // destroys its window
    m_bar->Invalidate(FALSE);
    EXPECT_EQ(BarPixel(5, 190), CellColour(1, 0)); // the first keeps its look

    // Once no bar holds it, the picture is read again by the next bar.
    m_bar.reset();
    m_host.bar = nullptr;
    m_res.Write(L"scrollbar.bmp", BarPicture(0x000001));
    m_bar = std::make_unique<CSkinScrollBar>();
    ASSERT_TRUE(
        m_bar->Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{20, 20, 32, 220}, &m_host, 101));
    m_bar->Invalidate(FALSE);
    EXPECT_EQ(BarPixel(5, 190), CellColour(1, 0) + 1);
}

TEST_F(ScrollBarFixture, HeldArrowStepsOnceThenRepeatsAfterHalfASecond) {
    const DWORD start = GetTickCount();
    Press(5, 190);
    ASSERT_EQ(m_host.sent.size(), 1u);
    EXPECT_EQ(m_host.sent[0].code, SB_LINEDOWN);
    PumpMessages(400);
    EXPECT_EQ(m_host.sent.size(), 1u); // nothing more during the first half second
    PumpMessages(600);
    Release(5, 190);
    ASSERT_GE(m_host.sent.size(), 3u); // repeats came (a loaded machine may delay some)
    EXPECT_GE(m_host.sent[1].tick - start, 480u);
    for (size_t i = 1; i < m_host.sent.size(); ++i)
        EXPECT_EQ(m_host.sent[i].code, SB_LINEDOWN);
    const size_t held = m_host.sent.size();
    PumpMessages(250);
    EXPECT_EQ(m_host.sent.size(), held); // released: no more steps
}

TEST_F(ScrollBarFixture, PagingStopsWhenTheThumbReachesThePointer) {
    m_host.followSteps = true;
    SCROLLINFO si = Info(0, 49, 10, 0); // thumb at 25..55; each page moves it 30 pixels
    m_bar->SetScrollInfo(&si, TRUE);
    const POINT pointer = OnScreen(5, 100);
    skin_test::MovePointer(pointer.x, pointer.y);
    Press(5, 100);
    PumpMessages(1200);
    Release(5, 100);
    m_bar->GetScrollInfo(&si);
    EXPECT_EQ(si.nPos, 20); // thumb 85..115, under the pointer
    EXPECT_EQ(m_host.sent.size(), 2u);
}

TEST_F(ScrollBarFixture, DraggedThumbIsClampedToTheLastPage) {
    Press(5, 100); // on the thumb
    m_bar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 130));
    m_bar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 30000));
    m_bar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 30001)); // same place: no message
    Release(5, 30001);
    ASSERT_EQ(m_host.sent.size(), 2u);
    EXPECT_EQ(m_host.sent[0].code, SB_THUMBTRACK);
    EXPECT_EQ(m_host.sent[0].position, 30);
    EXPECT_EQ(m_host.sent[1].position, 49 - 10 + 1);
}

} // namespace
