#pragma once
// The real Gearhost.exe started from the build's program folder, for the programs that drive it
// from outside (screenshots, memory): its window and the module window inside it, opened the
// way a user does, from the notification area.
#include "tests/support/TempDir.h"

#include <windows.h>

#include <functional>

namespace host_driver {

// Polls a condition another process makes true; false when it never does within the bound.
bool WaitUntil(const std::function<bool()>& done, DWORD boundMs = 30000);

class RunningHost {
public:
    RunningHost();
    // Asks the host to close and waits for it; ends it when it does not.
    ~RunningHost();
    RunningHost(const RunningHost&) = delete;
    RunningHost& operator=(const RunningHost&) = delete;

    // True once the host window and the module window inside it exist.
    bool WaitForWindows();
    // The tray icon's double-click: the host window comes out of the notification area.
    bool ShowFromTray();
    // Clicks a control of the module window (a tab, Save, Restore).
    void ClickModule(int id) const;
    // The module page holding a control with this id, and that control.
    HWND Page(int childId) const;
    HWND PageItem(int childId) const { return GetDlgItem(Page(childId), childId); }

    HANDLE Process() const { return m_info.hProcess; }
    HWND Host() const { return m_host; }
    HWND Module() const { return m_module; }

private:
    testing_support::TempDir m_workDir; // the host finds its files from its own folder
    PROCESS_INFORMATION m_info = {};
    bool m_started = false;
    HWND m_host = nullptr;
    HWND m_module = nullptr;
};

} // namespace host_driver
