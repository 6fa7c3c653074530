#include "tests/module/core/RunningHost.h"

#include "host/CTrayIcon.h"
#include "module/core/resource.h"
#include "tools/simmouse/SimMouseClient.h"

#include <string>

namespace host_driver {

bool WaitUntil(const std::function<bool()>& done, DWORD boundMs) {
    for (DWORD waited = 0;; waited += 20) {
        if (done())
            return true;
        if (waited >= boundMs)
            return false;
        Sleep(20);
    }
}

RunningHost::RunningHost() {
    const std::wstring exe = testing_support::ProgramDir() + L"\\Gearhost.exe";
    STARTUPINFOW startup = {sizeof(startup)};
    m_started = CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               m_workDir.Path().c_str(), &startup, &m_info) != FALSE;
}

RunningHost::~RunningHost() {
    if (!m_started)
        return;
    if (HWND window = simmouse::FindHostWindow())
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_info.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(m_info.hProcess, 99);
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool RunningHost::WaitForWindows() {
    if (!m_started)
        return false;
    return WaitUntil([&] {
        m_host = simmouse::FindHostWindow();
        for (HWND child = m_host ? GetWindow(m_host, GW_CHILD) : nullptr; child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetDlgItem(child, IDC_BTN_SAVE) && GetDlgItem(child, IDC_RADIO_PAGE1)) {
                m_module = child;
                return true;
            }
        }
        return false;
    });
}

bool RunningHost::ShowFromTray() {
    SendMessageW(m_host, WM_TRAYNOTIFY, CTrayIcon::kIconId, WM_LBUTTONDBLCLK);
    return IsWindowVisible(m_host) != FALSE;
}

void RunningHost::ClickModule(int id) const {
    SendMessageW(GetDlgItem(m_module, id), BM_CLICK, 0, 0);
}

HWND RunningHost::Page(int childId) const {
    for (HWND page = GetWindow(m_module, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT)) {
        if (GetDlgItem(page, childId))
            return page;
    }
    return nullptr;
}

} // namespace host_driver
