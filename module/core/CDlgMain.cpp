#include "module/core/CDlgMain.h"

// The profile operations work on the profile list once it exists; until then the module
// serves a mouse with no profiles.

CDlgMain::CDlgMain() : CDialogEx(IDD) {}

const wchar_t* CDlgMain::CopyProfile() {
    return L"";
}
void CDlgMain::DeleteProfile(const wchar_t*) {}
void CDlgMain::SelectProfile(const wchar_t*) {}
const wchar_t* CDlgMain::GetProfileName(const wchar_t*) {
    return nullptr;
}
void CDlgMain::SetProfileName(const wchar_t*, const wchar_t*) {}
const wchar_t* CDlgMain::GetCurrentProfileID() {
    return L"";
}
int CDlgMain::GetProfileCount() {
    return 0;
}
int CDlgMain::GetProfileAt(int, wchar_t*, int, wchar_t*, int) {
    return 0;
}

const wchar_t* CDlgMain::GetDeviceName() {
    return L"Norvale Kestrel Mouse";
}

void CDlgMain::GetDeviceIds(int* vid, int* pid) {
    if (vid)
        *vid = kVendorId;
    if (pid)
        *pid = kProductId;
}

void CDlgMain::SetDeviceConnected(int connected) {
    m_connected = connected == 1;
}
