#include "module/pages/CPageStatistics.h"

#include "module/pages/CaptionTable.h"

#include <algorithm>
#include <string>

namespace {

const pages::Caption kCaptions[] = {
    {IDC_STATIC_BUTTON1 + 0, L"IDC_CHECK_BUTTON1", L"BUTTON1"},
    {IDC_STATIC_BUTTON1 + 1, L"IDC_CHECK_BUTTON2", L"BUTTON2"},
    {IDC_STATIC_BUTTON1 + 2, L"IDC_CHECK_BUTTON3", L"BUTTON3"},
    {IDC_STATIC_BUTTON1 + 3, L"IDC_CHECK_BUTTON4", L"BUTTON4"},
    {IDC_STATIC_BUTTON1 + 4, L"IDC_CHECK_BUTTON5", L"BUTTON5"},
    {IDC_KEY_PRESS_STC, L"IDC_KEY_PRESS_STC", L"KEY PRESS"},
};
const pages::Caption kStartCaption = {IDC_BTN_START_STOP, L"IDC_BTN_STAR", L"Star"};
const pages::Caption kStopCaption = {IDC_BTN_START_STOP, L"IDC_BTN_STOP", L"Stop"};

// Each row's counter (device order) and the name its text begins with.
struct Row {
    int counter;
    const wchar_t* key;
    const wchar_t* builtIn;
};
const Row kRowsShown[CPageStatistics::kRows] = {
    {0, L"ACTION_ITEM_LEFT_BUTTON", L"Left Button"},
    {2, L"ACTION_ITEM_MIDDLE_BUTTON", L"Middle Button"},
    {1, L"ACTION_ITEM_RIGHT_BUTTON", L"Right Button"},
    {3, L"ACTION_ITEM_BUTTON4", L"Back Button"},
    {4, L"ACTION_ITEM_BUTTON5", L"Forward Button"},
};

constexpr RECT Rect(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}
constexpr int kRowCaptionTop[CPageStatistics::kRows] = {17, 55, 92, 129, 168};
constexpr int kRowIndicatorTop[CPageStatistics::kRows] = {9, 47, 84, 122, 161};
constexpr POINT kHotSpot[CPageStatistics::kRows] = {
    {624, 73}, {668, 73}, {711, 73}, {605, 150}, {729, 151}};

} // namespace

CPageStatistics::CPageStatistics(StatisticsCounters counters, const platform::ITickSource& ticks)
    : CSkinDialog(IDD), m_counters(counters) {
    AddNormalImage(L".\\res\\StatisticsPage_Normal.bmp");
    AddDisableImage(L".\\res\\StatisticsPage_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\StatisticsPage_Disable.bmp");
    AddHoverImage(L".\\res\\StatisticsPage_Hover.bmp");
    AddHoverSelectedImage(L".\\res\\StatisticsPage_Hover.bmp");
    AddSelectedImage(L".\\res\\StatisticsPage_Selected.bmp");
    SetMaskImage(L".\\res\\StatisticsPage_Mask.bmp");
    m_timer.SetTickSource(&ticks);
}

void CPageStatistics::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_TIMER, m_timer);
    DDX_Control(dx, IDC_BTN_START_STOP, m_btnStartStop);
    for (int r = 0; r < kRows; ++r) {
        DDX_Control(dx, IDC_STATIC_BUTTON1 + r, m_stButton[r]);
        DDX_Control(dx, IDC_HOTSPOT_BUTTON1 + r, m_chkHotSpot[r]);
        DDX_Control(dx, IDC_INDICATOR_BUTTON1 + r, m_indicator[r]);
    }
    DDX_Control(dx, IDC_KEY_PRESS_STC, m_stKeyPress);
    DDX_Control(dx, IDC_COLOR_SCALE, m_scale);
    DDX_Control(dx, IDC_STATIC_MIN_COUNT, m_stMin);
    DDX_Control(dx, IDC_STATIC_MAX_COUNT, m_stMax);
}

BOOL CPageStatistics::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    for (int r = 0; r < kRows; ++r) {
        m_stButton[r].MoveWindow(Rect(11, kRowCaptionTop[r], 78, 18));
        m_indicator[r].MoveWindow(Rect(92, kRowIndicatorTop[r], 168, 33));
        m_chkHotSpot[r].MoveWindow(Rect(kHotSpot[r].x, kHotSpot[r].y, 32, 34));
        m_stButton[r].SetTextFormat(DT_RIGHT);
    }
    m_stKeyPress.MoveWindow(Rect(24, 267, 77, 18));
    m_scale.MoveWindow(Rect(63, 288, 413, 33));
    m_stMin.MoveWindow(Rect(11, 292, 50, 20));
    m_stMax.MoveWindow(Rect(479, 292, 78, 20));
    m_timer.MoveWindow(Rect(285, 336, 182, 60));
    m_btnStartStop.MoveWindow(Rect(134, 349, 120, 37));

    m_btnStartStop.SetTextFormat(DT_CENTER | DT_VCENTER);
    m_btnStartStop.SetFontSize(16);
    m_timer.SetTextFormat(DT_CENTER | DT_VCENTER);
    m_timer.SetFontSize(24);
    m_stMin.SetTextFormat(DT_RIGHT);
    m_stMin.SetFontSize(18);
    m_stMax.SetTextFormat(0);
    m_stMax.SetFontSize(18);
    return TRUE;
}

LRESULT CPageStatistics::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_BTN_START_STOP && HIWORD(wParam) == BN_CLICKED) {
            OnStartStop();
            return 0;
        }
        break;
    case WM_SKIN_HOVER:
        OnSkinHover(static_cast<BOOL>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_STAT_UPDATE:
        m_refreshPosted = false;
        RefreshStatistics();
        return 0;
    case WM_SHOWWINDOW:
        // Counts that changed while hidden are shown once the page is up.
        if (wParam)
            RequestRefresh();
        break;
    case WM_DESTROY:
        m_timer.Stop();
        break;
    }
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

void CPageStatistics::OnLanguageChanged() {
    pages::SetCaptions(*this, kCaptions);
    CaptionStartStop();
    RefreshStatistics();
}

void CPageStatistics::CaptionStartStop() {
    const pages::Caption& caption = m_running ? kStopCaption : kStartCaption;
    m_btnStartStop.SetWindowText(CMultiLanguage::TextOr(caption.key, caption.builtIn));
}

void CPageStatistics::OnStartStop() {
    if (!m_running) {
        m_counters.counts.fill(0);
        m_counters.running = 1;
        m_timer.Start();
        // The clock starts from zero at once, not a second later.
        m_timer.SetWindowText(CSkinTimer::FormatElapsed(0, 0).c_str());
        m_running = 1;
    } else {
        m_counters.running = 0;
        m_timer.Stop();
        m_running = 0;
    }
    CaptionStartStop();
    RefreshStatistics();
}

void CPageStatistics::RequestRefresh() {
    HWND page = GetSafeHwnd();
    if (!page || m_refreshPosted.exchange(true))
        return;
    if (!::PostMessageW(page, WM_STAT_UPDATE, static_cast<WPARAM>(-2), -1))
        m_refreshPosted = false;
}

void CPageStatistics::RefreshStatistics() {
    const std::array<int, 5> counts = m_counters.counts;
    const auto [smallest, largest] = std::minmax_element(counts.begin(), counts.end());
    m_scale.m_nMin = *smallest;
    m_scale.m_nMax = *largest;
    m_scale.Invalidate(FALSE);
    m_stMin.SetWindowText(std::to_wstring(*smallest).c_str());
    m_stMax.SetWindowText(std::to_wstring(*largest).c_str());

    for (int r = 0; r < kRows; ++r) {
        const Row& row = kRowsShown[r];
        const int count = counts[row.counter];
        const std::wstring text = std::wstring(CMultiLanguage::TextOr(row.key, row.builtIn)) +
                                  L" - " + std::to_wstring(count);
        m_indicator[r].SetWindowText(text.c_str());
        m_indicator[r].SetIndicatorColor(m_scale.GetColorAt(count));
        m_indicator[r].Invalidate(FALSE);
    }
}

void CPageStatistics::OnSkinHover(BOOL entered, HWND control) {
    for (int r = 0; r < kRows; ++r) {
        const bool fromHotSpot = control == m_chkHotSpot[r].m_hWnd;
        const bool fromIndicator = control == m_indicator[r].m_hWnd;
        if (!fromHotSpot && !fromIndicator)
            continue;
        for (int other = 0; other < kRows; ++other) {
            const BOOL hover = other == r ? entered : FALSE;
            if (fromHotSpot)
                m_indicator[other].SetHover(hover);
            else
                m_chkHotSpot[other].SetHover(hover);
        }
        for (int other = 0; other < kRows; ++other) {
            m_indicator[other].Invalidate(FALSE);
            m_chkHotSpot[other].Invalidate(FALSE);
        }
        return;
    }
}
