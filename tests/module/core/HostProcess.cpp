#include "tests/module/core/HostProcess.h"

#include "tools/simmouse/SimMouseClient.h"

#include <gtest/gtest.h>

#include <string>

HostProcess::HostProcess() {
    const std::wstring exe = testing_support::ProgramDir() + L"\\Gearhost.exe";
    STARTUPINFOW startup = {sizeof(startup)};
    m_started = CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               m_workDir.Path().c_str(), &startup, &m_info) != FALSE;
}

HostProcess::~HostProcess() {
    if (!m_started)
        return;
    if (!Close(30000)) {
        ADD_FAILURE() << "Gearhost did not end on a close request";
        TerminateProcess(m_info.hProcess, 99);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool HostProcess::WaitForExit(DWORD boundMs) const {
    return WaitForSingleObject(m_info.hProcess, boundMs) == WAIT_OBJECT_0;
}

bool HostProcess::Close(DWORD boundMs) const {
    if (WaitForExit(0))
        return true;
    if (HWND window = simmouse::FindHostWindow())
        PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitForExit(boundMs);
}

DWORD HostProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}
