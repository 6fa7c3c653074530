#pragma once
// Label showing the time elapsed since Start, updated once a second.
#include "skin/CSkinStatic.h"

#include <string>

class CSkinTimer : public CSkinStatic {
public:
    void Start();
    void Stop();
    BOOL IsRunning() const { return m_bRunning; }

    // "hh:mm:ss" between two tick counts; a start after now (the counter wrapped) gives zero.
    static std::wstring FormatElapsed(DWORD startTick, DWORD nowTick);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nTimerId = 1;
    BOOL m_bRunning = FALSE;
    DWORD m_dwStartTick = 0;
    DWORD m_dwLastTick = 0;
};
