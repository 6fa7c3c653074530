#include "module/core/CDlgMain.h"

#include "module/core/CvireoApp.h"
#include "module/profiles/DefaultProfile.h"

#include <algorithm>
#include <cerrno>
#include <climits>

namespace {

// The contract's bounded copy: the text and its terminator must fit in size - 1 units. A text
// that does not fit leaves an empty string and gives ERANGE instead of ending the process, as
// the runtime's checked copy would.
int CopyBounded(wchar_t* buffer, int size, const std::wstring& text) {
    if (!buffer || size < 1)
        return EINVAL;
    buffer[0] = L'\0';
    if (size < 2)
        return EINVAL;
    if (text.size() >= static_cast<std::size_t>(size - 1))
        return ERANGE;
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return 0;
}

ModuleModel ModelOf(CvireoApp& app) {
    return ModuleModel{app.m_profiles, app.m_currentProfileId, app.m_actions, app.Ticks()};
}

} // namespace

CDlgMain::CDlgMain() : CDialogEx(IDD), CDeviceReactions(ModelOf(GetVireoApp())) {}

const wchar_t* CDlgMain::CopyProfile() {
    CvireoApp& app = GetVireoApp();
    const CProfileVireo* current = app.FindCurrentProfile();
    // Without a current profile (deleted, or an ID the list lacks) the copy starts from the
    // standard profile rather than from nothing.
    const CProfileVireo source =
        current ? *current : CProfileVireo::MakeStandard(L"", DefaultProfileName());
    return app.m_profiles.Copy(source, app.Ticks().Milliseconds()).m_id.c_str();
}

void CDlgMain::DeleteProfile(const wchar_t* id) {
    if (id)
        GetVireoApp().m_profiles.Remove(id);
}

// Showing the selected profile in the window comes with the pages.
void CDlgMain::SelectProfile(const wchar_t* id) {
    GetVireoApp().m_currentProfileId = id ? id : L"";
}

const wchar_t* CDlgMain::GetProfileName(const wchar_t* id) {
    const CProfileVireo* profile = id ? GetVireoApp().m_profiles.FindProfile(id) : nullptr;
    return profile ? profile->m_name.c_str() : nullptr;
}

void CDlgMain::SetProfileName(const wchar_t* id, const wchar_t* name) {
    if (id && name)
        GetVireoApp().m_profiles.Rename(id, name);
}

const wchar_t* CDlgMain::GetCurrentProfileID() {
    return GetVireoApp().m_currentProfileId.c_str();
}

int CDlgMain::GetProfileCount() {
    return static_cast<int>(std::min<std::size_t>(GetVireoApp().m_profiles.Count(), INT_MAX));
}

int CDlgMain::GetProfileAt(int index, wchar_t* id, int idSize, wchar_t* name, int nameSize) {
    const CProfileVireo* profile =
        index >= 0 ? GetVireoApp().m_profiles.At(static_cast<std::size_t>(index)) : nullptr;
    if (!profile) {
        CopyBounded(id, idSize, L"");
        CopyBounded(name, nameSize, L"");
        return EINVAL;
    }
    CopyBounded(id, idSize, profile->m_id);
    return CopyBounded(name, nameSize, profile->m_name);
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
    m_connected = connected == 1 ? 1 : 0;
    if (connected == 0)
        return;
    if (std::shared_ptr<CDriverVireo> driver = VireoDriver())
        driver->SendReadSettings();
}
