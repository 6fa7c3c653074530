#pragma once
// The real Gearhost.exe started from the test program's folder, asked to close at the end.
#include "tests/support/TempDir.h"

#include <windows.h>

class HostProcess {
public:
    HostProcess();
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    bool Started() const { return m_started; }
    // True when the process ended within the bound.
    bool WaitForExit(DWORD boundMs) const;
    // Posts a close request to the host window and waits for the end; false when it did not
    // end within the bound.
    bool Close(DWORD boundMs) const;
    // STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }

private:
    testing_support::TempDir m_workDir; // the host finds its files from its own folder
    bool m_started = false;
    PROCESS_INFORMATION m_info = {};
};
