#include "module/core/CvireoApp.h"

#include "module/actions/BuiltInActions.h"
#include "module/profiles/DefaultProfile.h"
#include "module/profiles/ProfileStore.h"

namespace {

CvireoApp theApp;

const wchar_t kStorePath[] = L"SOFTWARE\\Ardent,Inc.\\vireo";

std::wstring CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::wstring directory(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, &directory[0]);
    directory.resize(length < size ? length : 0);
    return directory;
}

} // namespace

CvireoApp& GetVireoApp() {
    return theApp;
}

// The module uses no sockets, so it starts none.
BOOL CvireoApp::InitInstance() {
    CWinApp::InitInstance();
    // The host made its own directory current before loading modules; it is the base of
    // the module's language file.
    m_appDir = CurrentDirectory();

    if (auto user = platform::OpenCurrentUserStore()) {
        m_rootKey = user->CreateKey(kStorePath);
        // Where the store may not be written, the user's profiles still load.
        if (!m_rootKey)
            m_rootKey = user->OpenKey(kStorePath);
    }

    // A store the installation did not seed (or a fresh user) still gets a profile to copy
    // and the buttons' own functions; they are stored by the first Save.
    m_actions.LoadAll(m_rootKey.get(), m_ticks.Milliseconds());
    AddMissingBuiltInActions(m_actions);
    LoadProfiles(m_rootKey.get(), m_profiles, m_currentProfileId, m_ticks.Milliseconds());
    AddDefaultProfileIfEmpty(m_profiles, m_currentProfileId, m_ticks.Milliseconds());
    return TRUE;
}
