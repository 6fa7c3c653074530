#pragma once
// The statistics tab: starts and stops the counting of button releases, shows the elapsed
// time, each button's count as text and as a colour of the scale between the smallest and the
// largest count, and links each counter row to its hot spot on the mouse picture.
#include "language/CMultiLanguage.h"
#include "module/pages/InfoPagesResource.h"
#include "platform/ITickSource.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinCheckBox.h"
#include "skin/CSkinColorIndicator.h"
#include "skin/CSkinColorStatic.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinStatic.h"
#include "skin/CSkinTimer.h"

#include <array>
#include <atomic>

// A counter changed (wParam counter index, lParam new count; both ignored): show the counts.
constexpr UINT WM_STAT_UPDATE = WM_USER + 103;

// The release counters the mouse reactions keep, in device order (left, right, middle,
// button 4, button 5), and whether they count.
struct StatisticsCounters {
    int& running;
    std::array<int, 5>& counts;
};

class CPageStatistics : public CSkinDialog, public CMultiLanguage {
public:
    enum { IDD = IDD_PAGE_STATISTICS };
    static constexpr int kRows = 5;

    // Both must outlive the page.
    CPageStatistics(StatisticsCounters counters, const platform::ITickSource& ticks);

    // Reads the counters and shows them: scale ends, labels, each row's text and colour.
    void RefreshStatistics();
    // Any thread: a refresh comes from the page's message loop. One waits at most, as each
    // reads every counter: a flood of counted clicks must not flood the loop.
    void RequestRefresh();
    bool IsRunning() const { return m_running != 0; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLanguageChanged() override;
    // Enter and Escape leave the page where it is.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void OnStartStop();
    void OnSkinHover(BOOL entered, HWND control);
    void CaptionStartStop();

    StatisticsCounters m_counters;

    // Rows in profile order: left, middle, right, button 4, button 5.
    std::array<CSkinStatic, kRows> m_stButton;
    std::array<CSkinCheckBox, kRows> m_chkHotSpot;
    std::array<CSkinColorIndicator, kRows> m_indicator;
    CSkinStatic m_stKeyPress;
    CSkinColorStatic m_scale;
    CSkinStatic m_stMin;
    CSkinStatic m_stMax;
    CSkinTimer m_timer;
    CSkinButton m_btnStartStop;
    int m_running = 0;
    std::atomic<bool> m_refreshPosted{false};
};
