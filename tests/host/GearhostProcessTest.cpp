// The real Gearhost.exe of this build, started as a user would.
#include "host/CGearhostApp.h"
#include "tests/support/TempDir.h"

#include <tlhelp32.h>

#include <optional>

#include <gtest/gtest.h>

namespace {

using testing_support::ProgramDir;

class GearhostProcess {
public:
    explicit GearhostProcess(const std::wstring& workingDir) {
        std::wstring exe = ProgramDir() + L"\\Gearhost.exe";
        STARTUPINFOW startup = {sizeof(startup)};
        m_started = CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                   workingDir.c_str(), &startup, &m_info) != FALSE;
    }
    ~GearhostProcess() {
        if (!m_started)
            return;
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_info.hProcess, 99);
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
    bool Started() const { return m_started; }
    // The exit code, or nothing when it still runs after the wait.
    std::optional<DWORD> WaitForExit(DWORD ms) const {
        if (WaitForSingleObject(m_info.hProcess, ms) != WAIT_OBJECT_0)
            return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }
    DWORD Id() const { return m_info.dwProcessId; }

private:
    bool m_started = false;
    PROCESS_INFORMATION m_info = {};
};

HWND WaitForHostWindow(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND hwnd = FindWindowW(CGearhostApp::HostWindowClass(), nullptr))
            return hwnd;
        Sleep(50);
    }
    return nullptr;
}

bool ProcessHasModule(DWORD processId, const wchar_t* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32W entry = {sizeof(entry)};
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && !found;
         more = Module32NextW(snapshot, &entry))
        found = _wcsicmp(entry.szModule, name) == 0;
    CloseHandle(snapshot);
    return found;
}

TEST(GearhostProcess, StartsWithItsModulesAndEndsOnCloseRequest) {
    ASSERT_EQ(FindWindowW(CGearhostApp::HostWindowClass(), nullptr), nullptr);
    testing_support::TempDir elsewhere; // the host finds its files from its own folder
    GearhostProcess host(elsewhere.Path());
    ASSERT_TRUE(host.Started());
    HWND window = WaitForHostWindow(30000);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(ProcessHasModule(host.Id(), L"vireo.dll"));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(host.WaitForExit(30000), std::optional<DWORD>(0));
}

TEST(GearhostProcess, SecondStartActivatesTheRunningInstanceAndExits) {
    ASSERT_TRUE(CGearhostApp::RegisterHostWindowClass(GetModuleHandleW(nullptr)));
    HWND running =
        CreateWindowExW(0, CGearhostApp::HostWindowClass(), L"running", WS_OVERLAPPEDWINDOW, 10, 10,
                        200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(running, nullptr);
    ShowWindow(running, SW_SHOWMINIMIZED);

    GearhostProcess second(ProgramDir());
    ASSERT_TRUE(second.Started());
    // The activation is a sent message: keep serving this thread's windows while waiting.
    std::optional<DWORD> exitCode;
    for (int i = 0; i < 600 && !exitCode; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        exitCode = second.WaitForExit(50);
    }
    EXPECT_TRUE(exitCode.has_value());
    EXPECT_FALSE(IsIconic(running));
    DestroyWindow(running);
}

} // namespace
