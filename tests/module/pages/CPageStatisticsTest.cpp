// The statistics page on a real window: Start and Stop with the counters and the clock, the
// counts as texts and as colours of the scale, hover linking and the captions.
#include "module/pages/CPageStatistics.h"
#include "tests/module/pages/InfoPageHost.h"
#include "tests/skin/PointerSupport.h"
#include "tests/skin/ControlPictures.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace info_pages_test;
using Counts = std::array<int, 5>; // device order: left, right, middle, button 4, button 5

class ManualTicks : public platform::ITickSource {
public:
    std::uint32_t now = 0;
    std::uint32_t Milliseconds() const override { return now; }
};

class StatisticsPage : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    skin_test::SkinResFolder m_res;
    testing_support::TempDir m_languageDir;
    ManualTicks m_ticks;
    int m_running = 0;
    Counts m_counts{};
    InfoPageHost m_host;
    std::unique_ptr<CPageStatistics> m_page;

    void SetUp() override {
        WriteInfoPagePictures(m_res);
        // The pointer stays off the page: only the test says what is pointed at.
        skin_test::MovePointer(1, 1);
        ASSERT_TRUE(m_host.Create(kHostTemplate));
        m_host.MoveWindow(60, 60, 800, 540);
        m_page =
            std::make_unique<CPageStatistics>(StatisticsCounters{m_running, m_counts}, m_ticks);
        ASSERT_TRUE(m_page->Create(CPageStatistics::IDD, &m_host));
        SelectLanguageFile(*m_page, m_languageDir.File(L"missing.ini"));
        m_host.ShowWindow(SW_SHOW);
        m_page->ShowWindow(SW_SHOW);
        testing_support::PumpWaitingMessages();
    }
    void TearDown() override {
        m_page.reset();
        ForgetLanguage();
    }

    HWND Item(int id) const { return ::GetDlgItem(m_page->m_hWnd, id); }
    std::wstring Text(int id) const { return CWnd::FromHandle(Item(id))->GetWindowText(); }
    template <typename Control> Control& Object(int id) const {
        return *dynamic_cast<Control*>(CWnd::FromHandlePermanent(Item(id)));
    }
    void ClickStartStop() {
        m_page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_START_STOP, BN_CLICKED),
                            reinterpret_cast<LPARAM>(Item(IDC_BTN_START_STOP)));
    }
    // The clock's next one-second tick, at now.
    std::wstring ClockAt(std::uint32_t now) {
        m_ticks.now = now;
        ::SendMessageW(Item(IDC_TIMER), WM_TIMER, 1, 0);
        return Text(IDC_TIMER);
    }
    std::vector<std::wstring> RowTexts() const {
        std::vector<std::wstring> texts;
        for (int r = 0; r < CPageStatistics::kRows; ++r)
            texts.push_back(Text(IDC_INDICATOR_BUTTON1 + r));
        return texts;
    }
    COLORREF RowColour(int row) const {
        return Object<CSkinColorIndicator>(IDC_INDICATOR_BUTTON1 + row).m_clrIndicator;
    }
    // The bar's top row as it is on the screen, at x.
    COLORREF ScaleOnScreen(int x) const {
        const DWORD rgb = skin_test::WindowPixel(Item(IDC_COLOR_SCALE), x, 0);
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
};

TEST_F(StatisticsPage, StartClearsTheCountsAndRunsTheClockStopFreezesBoth) {
    m_counts = {5, 2, 0, 1, 0};
    m_ticks.now = 1000;
    ClickStartStop();
    EXPECT_EQ(m_running, 1);
    EXPECT_EQ(m_counts, (Counts{0, 0, 0, 0, 0}));
    EXPECT_EQ(Text(IDC_BTN_START_STOP), L"Stop");
    EXPECT_EQ(Text(IDC_TIMER), L"00:00:00");
    EXPECT_EQ(Text(IDC_INDICATOR_BUTTON1), L"Left Button - 0");

    m_counts = {5, 2, 0, 0, 0}; // counted by the reactions meanwhile
    EXPECT_EQ(ClockAt(1000 + 3725000), L"01:02:05");
    ClickStartStop();
    EXPECT_EQ(m_running, 0);
    EXPECT_EQ(m_counts, (Counts{5, 2, 0, 0, 0}));
    EXPECT_EQ(Text(IDC_BTN_START_STOP), L"Star");
    EXPECT_EQ(ClockAt(9000000), L"01:02:05");
    EXPECT_EQ(Text(IDC_INDICATOR_BUTTON1), L"Left Button - 5");

    ClickStartStop();
    EXPECT_EQ(m_counts, (Counts{0, 0, 0, 0, 0}));
    EXPECT_EQ(Text(IDC_TIMER), L"00:00:00");
    EXPECT_EQ(ClockAt(9000000 + 2000), L"00:00:02");
}

TEST_F(StatisticsPage, ClockRunsAcrossATickWrap) {
    struct Case {
        std::uint32_t start;
        std::uint32_t now;
        const wchar_t* shown;
    } cases[] = {
        {0xFFFFFC18u, 4000, L"00:00:05"}, // one second before the wrap, four after
        {0xFFFFFFFFu, 0, L"00:00:00"},
        {0xFFC00000u, 0x00400000u, L"02:19:48"}, // 8,388,608 ms
    };
    for (const Case& c : cases) {
        m_ticks.now = c.start;
        ClickStartStop();
        EXPECT_EQ(ClockAt(c.now), c.shown) << c.start;
        ClickStartStop();
    }
}

TEST_F(StatisticsPage, CountsShowAsTextsAndAsColoursOfTheScaleEnds) {
    enum End { Low, High, Between };
    struct Case {
        const char* name;
        Counts counts;
        const wchar_t* smallest;
        const wchar_t* largest;
        std::vector<std::wstring> rows; // profile order: left, middle, right, back, forward
        std::array<End, 5> colours;
    } cases[] = {
        {"left 5, right 2",
         {5, 2, 0, 0, 0},
         L"0",
         L"5",
         {L"Left Button - 5", L"Middle Button - 0", L"Right Button - 2", L"Back Button - 0",
          L"Forward Button - 0"},
         {High, Low, Between, Low, Low}},
        {"every button apart",
         {1, 2, 3, 4, 9},
         L"1",
         L"9",
         {L"Left Button - 1", L"Middle Button - 3", L"Right Button - 2", L"Back Button - 4",
          L"Forward Button - 9"},
         {Low, Between, Between, Between, High}},
        {"all equal",
         {3, 3, 3, 3, 3},
         L"3",
         L"3",
         {L"Left Button - 3", L"Middle Button - 3", L"Right Button - 3", L"Back Button - 3",
          L"Forward Button - 3"},
         {Low, Low, Low, Low, Low}},
    };
    const RECT scale = CWnd::FromHandle(Item(IDC_COLOR_SCALE))->GetClientRect();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Taken while the page is hidden: nothing of the scale is on the screen.
        m_page->ShowWindow(SW_HIDE);
        m_counts = c.counts;
        m_page->RefreshStatistics();
        std::array<COLORREF, 5> colours;
        for (int r = 0; r < CPageStatistics::kRows; ++r)
            colours[r] = RowColour(r);

        m_page->ShowWindow(SW_SHOW);
        testing_support::PumpWaitingMessages();
        EXPECT_EQ(Text(IDC_STATIC_MIN_COUNT), c.smallest);
        EXPECT_EQ(Text(IDC_STATIC_MAX_COUNT), c.largest);
        EXPECT_EQ(RowTexts(), c.rows);
        const COLORREF low = ScaleOnScreen(scale.left + 1);
        const COLORREF high = ScaleOnScreen(scale.right - 1);
        for (int r = 0; r < CPageStatistics::kRows; ++r) {
            if (c.colours[r] == Low)
                EXPECT_EQ(colours[r], low) << "row " << r;
            else if (c.colours[r] == High)
                EXPECT_EQ(colours[r], high) << "row " << r;
            else
                EXPECT_TRUE(colours[r] != low && colours[r] != high) << "row " << r;
        }
    }
}

TEST_F(StatisticsPage, CountsAreShownWhenTheyChangeAndWhenThePageComesBack) {
    m_counts = {4, 0, 0, 0, 0};
    m_page->PostMessage(WM_STAT_UPDATE, 0, 4);
    testing_support::PumpWaitingMessages();
    EXPECT_EQ(Text(IDC_INDICATOR_BUTTON1), L"Left Button - 4");
    EXPECT_EQ(Text(IDC_STATIC_MAX_COUNT), L"4");

    m_page->ShowWindow(SW_HIDE);
    m_counts = {4, 0, 0, 0, 7}; // counted while another page was shown
    m_page->ShowWindow(SW_SHOW);
    testing_support::PumpWaitingMessages();
    EXPECT_EQ(Text(IDC_INDICATOR_BUTTON1 + 4), L"Forward Button - 7");
    EXPECT_EQ(Text(IDC_STATIC_MAX_COUNT), L"7");
}

// A flood of counted clicks: one refresh waits at a time and shows the last counts.
TEST_F(StatisticsPage, RefreshRequestsWaitAsOneMessage) {
    for (int i = 1; i <= 1000; ++i) {
        m_counts = {i, 0, 0, 0, 0};
        m_page->RequestRefresh();
    }
    int waiting = 0;
    MSG msg;
    while (PeekMessageW(&msg, m_page->GetSafeHwnd(), WM_STAT_UPDATE, WM_STAT_UPDATE, PM_REMOVE)) {
        ++waiting;
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(waiting, 1);
    EXPECT_EQ(Text(IDC_INDICATOR_BUTTON1), L"Left Button - 1000");
    m_page->RequestRefresh(); // handled: the next request posts again
    EXPECT_TRUE(
        PeekMessageW(&msg, m_page->GetSafeHwnd(), WM_STAT_UPDATE, WM_STAT_UPDATE, PM_NOREMOVE));
}

TEST_F(StatisticsPage, HoverLinksEachRowWithItsHotSpot) {
    struct Step {
        int from;
        WPARAM entered;
        unsigned indicators; // bit r: indicator of row r pointed at
        unsigned hotSpots;
    } steps[] = {
        {IDC_HOTSPOT_BUTTON1 + 3, 1, 0b01000, 0},
        {IDC_HOTSPOT_BUTTON1 + 3, 0, 0, 0},
        {IDC_HOTSPOT_BUTTON1 + 0, 1, 0b00001, 0},
        {IDC_HOTSPOT_BUTTON1 + 4, 1, 0b10000, 0}, // moved straight on: only the new row
        {IDC_INDICATOR_BUTTON1 + 3, 1, 0b10000, 0b01000},
        {IDC_BTN_START_STOP, 1, 0b10000, 0b01000}, // any other control changes nothing
        {IDC_INDICATOR_BUTTON1 + 3, 0, 0b10000, 0},
    };
    for (const Step& step : steps) {
        m_page->SendMessage(WM_SKIN_HOVER, step.entered, reinterpret_cast<LPARAM>(Item(step.from)));
        unsigned indicators = 0;
        unsigned hotSpots = 0;
        for (int r = 0; r < CPageStatistics::kRows; ++r) {
            if (Object<CSkinColorIndicator>(IDC_INDICATOR_BUTTON1 + r).GetHover())
                indicators |= 1u << r;
            if (Object<CSkinCheckBox>(IDC_HOTSPOT_BUTTON1 + r).GetHover())
                hotSpots |= 1u << r;
        }
        EXPECT_EQ(indicators, step.indicators) << step.from << " " << step.entered;
        EXPECT_EQ(hotSpots, step.hotSpots) << step.from << " " << step.entered;
    }
}

TEST_F(StatisticsPage, CaptionsComeFromTheLanguageFileOrTheBuiltInTexts) {
    m_languageDir.Write(L"l_vireo.ini", "[Language]\r\nDefault=Test\r\n[Test]\r\n"
                                        "ID1=IDC_CHECK_BUTTON1\r\nTEXT1=Taste 1\r\n"
                                        "ID2=IDC_KEY_PRESS_STC\r\nTEXT2=Tastendruck\r\n"
                                        "ID3=IDC_BTN_STAR\r\nTEXT3=Start\r\n"
                                        "ID4=IDC_BTN_STOP\r\nTEXT4=Halt\r\n"
                                        "ID5=ACTION_ITEM_LEFT_BUTTON\r\nTEXT5=Linke Taste\r\n");
    struct Caption {
        int id;
        const wchar_t* builtIn;
        const wchar_t* translated;
    } captions[] = {
        {IDC_STATIC_BUTTON1, L"BUTTON1", L"Taste 1"},
        {IDC_STATIC_BUTTON1 + 1, L"BUTTON2", L"BUTTON2"}, // not in the file
        {IDC_STATIC_BUTTON1 + 4, L"BUTTON5", L"BUTTON5"},
        {IDC_KEY_PRESS_STC, L"KEY PRESS", L"Tastendruck"},
        {IDC_BTN_START_STOP, L"Star", L"Start"},
        {IDC_INDICATOR_BUTTON1, L"Left Button - 0", L"Linke Taste - 0"},
        {IDC_INDICATOR_BUTTON1 + 1, L"Middle Button - 0", L"Middle Button - 0"},
    };
    for (bool withFile : {false, true}) {
        SelectLanguageFile(*m_page, m_languageDir.File(withFile ? L"l_vireo.ini" : L"none.ini"));
        for (const Caption& c : captions)
            EXPECT_EQ(Text(c.id), withFile ? c.translated : c.builtIn) << c.id;
    }
    ClickStartStop();
    EXPECT_EQ(Text(IDC_BTN_START_STOP), L"Halt");
}

TEST_F(StatisticsPage, EnterAndEscapeLeaveThePageShown) {
    for (WORD command : {WORD{IDOK}, WORD{IDCANCEL}}) {
        m_page->SendMessage(WM_COMMAND, command);
        EXPECT_TRUE(::IsWindow(m_page->m_hWnd) && m_page->IsWindowVisible()) << command;
    }
}

} // namespace
