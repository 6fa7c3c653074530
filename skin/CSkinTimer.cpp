#include "skin/CSkinTimer.h"

#include <cwchar>

void CSkinTimer::Start() {
    if (m_bRunning)
        return;
    m_dwStartTick = Now();
    SetTimer(m_nTimerId, 1000);
    m_bRunning = TRUE;
}

void CSkinTimer::Stop() {
    if (!m_bRunning)
        return;
    KillTimer(m_nTimerId);
    m_bRunning = FALSE;
}

std::wstring CSkinTimer::FormatElapsed(DWORD startTick, DWORD nowTick) {
    const DWORD elapsed = nowTick - startTick;
    wchar_t text[32];
    swprintf(text, 32, L"%02d:%02d:%02d", static_cast<int>(elapsed / 3600000),
             static_cast<int>((elapsed % 3600000) / 60000),
             static_cast<int>((elapsed % 60000) / 1000));
    return text;
}

LRESULT CSkinTimer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        // Handled here alone: this label has no pointer to track. A tick already queued when
        // the timer stopped must not move a stopped clock.
        if (!m_bRunning)
            return 0;
        m_dwLastTick = Now();
        SetWindowText(FormatElapsed(m_dwStartTick, m_dwLastTick).c_str());
        return 0;
    }
    return CSkinStatic::WindowProc(message, wParam, lParam);
}
