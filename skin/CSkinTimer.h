#pragma once
// Label showing the time elapsed since Start, updated once a second.
#include "platform/ITickSource.h"
#include "skin/CSkinStatic.h"

#include <string>

class CSkinTimer : public CSkinStatic {
public:
    void Start();
    void Stop();
    BOOL IsRunning() const { return m_bRunning; }
    // Where the clock is read; null (the default) reads the system's tick count. The source
    // must outlive the timer.
    void SetTickSource(const platform::ITickSource* ticks) { m_ticks = ticks; }

    // "hh:mm:ss" from startTick to nowTick, counted modulo 2^32 so a wrapped tick counter
    // keeps the clock going.
    static std::wstring FormatElapsed(DWORD startTick, DWORD nowTick);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nTimerId = 1;
    BOOL m_bRunning = FALSE;
    DWORD m_dwStartTick = 0;
    DWORD m_dwLastTick = 0;

private:
    DWORD Now() const { return m_ticks ? m_ticks->Milliseconds() : GetTickCount(); }

    const platform::ITickSource* m_ticks = nullptr;
};
