#include "host/NotifyArea.h"

bool Win32NotifyArea::Add(const NOTIFYICONDATAW& icon) {
    NOTIFYICONDATAW data = icon;
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool Win32NotifyArea::Delete(const NOTIFYICONDATAW& icon) {
    NOTIFYICONDATAW data = icon;
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}
