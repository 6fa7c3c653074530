// Labels, the colour scale, the elapsed-time label and the slider on a real dialog.
#include "framework/WindowSubclass.h"
#include "skin/CSkinColorIndicator.h"
#include "skin/CSkinColorStatic.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinSliderCtrl.h"
#include "skin/CSkinStatic.h"
#include "skin/CSkinTimer.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/TempDir.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using skin_test::PumpMessages;

constexpr UINT kTemplate = 302;

class StaticsDialog : public CSkinDialog {
public:
    explicit StaticsDialog(const std::wstring& background) : CSkinDialog(kTemplate) {
        AddNormalImage(background.c_str());
        AddDisableImage(background.c_str());
    }
    CSkinSliderCtrl m_slider;
    CSkinColorStatic m_bar;
    CSkinTimer m_timer;
    CSkinColorIndicator m_indicator;
    CSkinStatic m_right;
    std::vector<UINT> parentSaw;
    std::vector<UINT> trackbarSaw; // key and mouse messages that reached the system trackbar

protected:
    void DoDataExchange(CDataExchange* dx) override {
        // Listens between the skinned slider and the system trackbar's own procedure.
        if (!m_slider.m_hWnd)
            fw::SetWindowSubclass(::GetDlgItem(m_hWnd, 3201), &TrackbarSpy, 1,
                                  reinterpret_cast<DWORD_PTR>(&trackbarSaw));
        DDX_Control(dx, 3201, m_slider);
        DDX_Control(dx, 3202, m_bar);
        DDX_Control(dx, 3203, m_timer);
        DDX_Control(dx, 3204, m_indicator);
        DDX_Control(dx, 3205, m_right);
    }
    BOOL OnInitDialog() override {
        CSkinDialog::OnInitDialog();
        m_bar.MoveWindow(20, 150, 200, 16);
        m_timer.MoveWindow(20, 180, 100, 16);
        m_indicator.MoveWindow(130, 180, 40, 20);
        return TRUE;
    }
    static LRESULT CALLBACK TrackbarSpy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR saw) {
        if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
            (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE)
            reinterpret_cast<std::vector<UINT>*>(saw)->push_back(message);
        return fw::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_HSCROLL || message == WM_VSCROLL ||
            (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->idFrom == 3201))
            parentSaw.push_back(message);
        return CSkinDialog::WindowProc(message, wParam, lParam);
    }
};

class StaticsFixture : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    testing_support::TempDir m_dir;
    std::unique_ptr<StaticsDialog> m_dialog;

    void SetUp() override {
        m_dir.Write(L"back.bmp", skin_test::SolidBitmapFile(500, 300, 0x202020));
        // 20 × 40 thumb: four 10-pixel frames.
        m_dir.Write(L"thumb.bmp", skin_test::BitmapFile(20, 40, [](int, int y) -> DWORD {
                        const DWORD frames[4] = {0xAA0000, 0x00AA00, 0x0000AA, 0xAAAA00};
                        return frames[y / 10];
                    }));
        m_dialog = std::make_unique<StaticsDialog>(m_dir.File(L"back.bmp"));
        ASSERT_TRUE(m_dialog->Create(kTemplate));
        m_dialog->ShowWindow(SW_SHOW);
        m_dialog->UpdateWindow();
    }

    CSkinSliderCtrl& PlacedSlider() {
        CSkinSliderCtrl& slider = m_dialog->m_slider;
        slider.LoadThumbImage(m_dir.File(L"thumb.bmp").c_str());
        slider.SetRange(0, 3);
        slider.SetChannelRect(RECT{30, 87, 406, 107});
        return slider;
    }
};

TEST_F(StaticsFixture, LabelsBecomeOwnerDrawnWhateverTheirAlignment) {
    EXPECT_EQ(m_dialog->m_right.GetStyle() & SS_TYPEMASK, static_cast<DWORD>(SS_OWNERDRAW));
    EXPECT_EQ(m_dialog->m_indicator.GetStyle() & (SS_TYPEMASK | SS_NOTIFY),
              static_cast<DWORD>(SS_OWNERDRAW | SS_NOTIFY));
}

TEST_F(StaticsFixture, ColourBarBlendIsPackedArithmetic) {
    CSkinColorStatic& bar = m_dialog->m_bar;
    bar.ComputeBlend();
    EXPECT_EQ(bar.m_clrBlend[0], 0xFF124E79u);
    EXPECT_EQ(bar.m_clrBlend[1], 0xFF1483CFu);
    EXPECT_EQ(bar.m_clrBlend[2], 0xFFECEED5u);
    EXPECT_EQ(bar.m_clrBlend[3], 0xFFEF242Bu);

    bar.m_nMax = 0; // an empty range runs through the end colours themselves
    bar.ComputeBlend();
    EXPECT_EQ(bar.m_clrBlend[1], bar.m_clrStart);
    EXPECT_EQ(bar.m_clrBlend[2], bar.m_clrEnd);
}

TEST_F(StaticsFixture, ColourAtAValueIsReadFromTheDrawnBar) {
    CSkinColorStatic& bar = m_dialog->m_bar;
    bar.m_nMin = 10;
    bar.m_nMax = 20;
    bar.RedrawWindow();
    HDC dc = GetDC(bar.m_hWnd);
    const COLORREF first = GetPixel(dc, 1, 0);
    const COLORREF last = GetPixel(dc, 199, 0);
    const COLORREF middle = GetPixel(dc, 100, 0);
    ReleaseDC(bar.m_hWnd, dc);
    EXPECT_NE(first, last);
    EXPECT_EQ(bar.GetColorAt(5), first);   // below the range: its start
    EXPECT_EQ(bar.GetColorAt(20), last);   // the last column
    EXPECT_EQ(bar.GetColorAt(1000), last); // beyond: clamped
    EXPECT_EQ(bar.GetColorAt(15), middle);

    bar.m_nMin = bar.m_nMax = 0;
    bar.RedrawWindow();
    dc = GetDC(bar.m_hWnd);
    const COLORREF second = GetPixel(dc, 1, 0);
    ReleaseDC(bar.m_hWnd, dc);
    EXPECT_EQ(bar.GetColorAt(0), second);

    bar.m_nMax = 2000000000; // no overflow on huge counts
    EXPECT_NE(bar.GetColorAt(1999999999), CLR_INVALID);
}

TEST_F(StaticsFixture, ColourAtAValueIsTheSameWhileTheBarIsHidden) {
    CSkinColorStatic& bar = m_dialog->m_bar;
    bar.m_nMin = 10;
    bar.m_nMax = 20;
    bar.RedrawWindow();
    const COLORREF shown[] = {bar.GetColorAt(10), bar.GetColorAt(15), bar.GetColorAt(20)};
    m_dialog->ShowWindow(SW_HIDE);
    PumpMessages(0);
    EXPECT_EQ(bar.GetColorAt(10), shown[0]);
    EXPECT_EQ(bar.GetColorAt(15), shown[1]);
    EXPECT_EQ(bar.GetColorAt(20), shown[2]);
    EXPECT_NE(shown[0], shown[2]);
}

TEST(SkinTimer, ElapsedTimeFormat) {
    struct Case {
        DWORD start;
        DWORD now;
        const wchar_t* text;
    } cases[] = {
        {1000, 3725000, L"01:02:04"},
        {0xFFFFF000u, 1000, L"00:00:05"}, // the tick counter wrapped: 4,096 + 1,000 ms
        {0, 1000u * 3600u * 150u, L"150:00:00"},
        {7, 7, L"00:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSkinTimer::FormatElapsed(c.start, c.now), c.text) << c.now;
}

class ManualTicks : public platform::ITickSource {
public:
    std::uint32_t now = 0;
    std::uint32_t Milliseconds() const override { return now; }
};

TEST_F(StaticsFixture, TimerShowsTheElapsedTimeOnEachTickUntilStopped) {
    ManualTicks ticks;
    ticks.now = 0xFFFFFC18u; // one second before the tick counter wraps
    CSkinTimer& timer = m_dialog->m_timer;
    timer.SetTickSource(&ticks);
    timer.Start();
    EXPECT_TRUE(timer.IsRunning());
    ticks.now = 61000;
    timer.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(timer.GetWindowText(), L"00:01:02");
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
    ticks.now = 99000; // a tick queued before Stop leaves the clock where it stopped
    timer.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(timer.GetWindowText(), L"00:01:02");
    timer.SetTickSource(nullptr);
}

TEST_F(StaticsFixture, SliderIsPlacedAroundItsChannel) {
    CSkinSliderCtrl& slider = PlacedSlider();
    RECT window = slider.GetWindowRect();
    m_dialog->ScreenToClient(window);
    EXPECT_EQ(window.left, 19);
    EXPECT_EQ(window.top, 87);
    EXPECT_EQ(window.right, 417);
    EXPECT_EQ(window.bottom, 107);
    EXPECT_EQ(slider.GetChannelRect().left, 11);
    EXPECT_EQ(slider.GetChannelRect().right, 387);

    slider.SetValue(2);
    EXPECT_EQ(slider.GetPos(), 2);
    EXPECT_EQ(slider.GetThumbRect().left, 251);
    slider.SetValue(9);
    EXPECT_EQ(slider.GetPos(), 3);
}

TEST_F(StaticsFixture, SliderInputMovesItWithoutTellingTheParent) {
    CSkinSliderCtrl& slider = PlacedSlider();
    slider.SendMessage(TBM_SETLINESIZE, 0, 1);
    slider.SendMessage(TBM_SETPAGESIZE, 0, 2);
    slider.SetValue(3);

    slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(slider.GetPos(), 3); // at the maximum already
    slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(slider.GetPos(), 1);

    struct Key {
        UINT key;
        int expected;
    } keys[] = {{VK_END, 3},  {VK_LEFT, 2},  {VK_HOME, 0}, {VK_NEXT, 2},
                {VK_DOWN, 3}, {VK_PRIOR, 1}, {'A', 1},     {VK_SPACE, 1}};
    for (const Key& k : keys) {
        slider.SendMessage(WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(slider.GetPos(), k.expected) << k.key;
    }

    // A click on the track left of the thumb moves the thumb there at once.
    slider.SetValue(3);
    int x = slider.GetChannelRect().left + 376 / 3; // the centre of value 1
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x + 2, 10));
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x + 2, 10));
    EXPECT_EQ(slider.GetPos(), 1);

    // Dragging the thumb follows the pointer.
    RECT thumb = slider.GetThumbRect();
    int onThumb = (thumb.left + thumb.right) / 2;
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onThumb, 10));
    slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(slider.GetChannelRect().right, 10));
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(slider.GetChannelRect().right, 10));
    EXPECT_EQ(slider.GetPos(), 3);

    PumpMessages(0);
    EXPECT_TRUE(m_dialog->parentSaw.empty());
}

TEST_F(StaticsFixture, NoKeyOrMouseMessageReachesTheSystemTrackbar) {
    CSkinSliderCtrl& slider = PlacedSlider();
    slider.SetValue(1);
    const LPARAM onTrack = MAKELPARAM(30, 10);
    const LPARAM farRight = MAKELPARAM(390, 10);
    struct Input {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } inputs[] = {
        {WM_KEYDOWN, VK_RIGHT, 1},
        {WM_KEYUP, VK_RIGHT, 0xC0000001}, // the system trackbar would send TB_ENDTRACK here
        {WM_KEYDOWN, VK_HOME, 1},
        {WM_KEYUP, VK_HOME, 0xC0000001},
        {WM_CHAR, 'a', 1},
        {WM_MOUSEMOVE, 0, onTrack},
        {WM_LBUTTONDOWN, MK_LBUTTON, farRight},
        {WM_MOUSEMOVE, MK_LBUTTON, onTrack},
        {WM_LBUTTONUP, 0, onTrack},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, onTrack},
        {WM_LBUTTONUP, 0, onTrack},
        {WM_RBUTTONDOWN, MK_RBUTTON, onTrack},
        {WM_RBUTTONUP, 0, onTrack},
        {WM_MBUTTONDOWN, MK_MBUTTON, onTrack},
        {WM_MBUTTONUP, 0, onTrack},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0},
        {WM_MOUSELEAVE, 0, 0},
    };
    for (const Input& input : inputs) {
        slider.SendMessage(input.message, input.wParam, input.lParam);
        PumpMessages(0);
    }
    EXPECT_EQ(m_dialog->trackbarSaw, std::vector<UINT>{});
    EXPECT_EQ(m_dialog->parentSaw, std::vector<UINT>{});
}

TEST_F(StaticsFixture, SliderPaintsTheThumbFrameOfItsState) {
    CSkinSliderCtrl& slider = PlacedSlider();
    slider.SetValue(0);
    auto thumbColour = [&] {
        slider.RedrawWindow();
        RECT thumb = slider.GetThumbRect();
        HDC dc = GetDC(slider.m_hWnd);
        COLORREF colour = GetPixel(dc, thumb.left + 5, thumb.top + 5);
        ReleaseDC(slider.m_hWnd, dc);
        return colour;
    };
    EXPECT_EQ(thumbColour(), RGB(0xAA, 0, 0));
    RECT thumb = slider.GetThumbRect();
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.left + 2, 10));
    EXPECT_EQ(thumbColour(), RGB(0xAA, 0xAA, 0)); // dragged
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(thumb.left + 2, 10));
    slider.EnableWindow(FALSE);
    EXPECT_EQ(thumbColour(), RGB(0, 0xAA, 0));
}

} // namespace
