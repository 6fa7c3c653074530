#include "module/actions/CUtility.h"

bool CUtility::LaunchFile(platform::IInputShell& shell, const std::wstring& path) const {
    if (shell.HasForegroundLock()) {
        if (const platform::WindowId window = shell.FindProcessWindow(shell.CurrentProcessId()))
            shell.BringToFront(window);
    }
    return shell.OpenFile(path);
}
