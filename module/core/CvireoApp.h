#pragma once
// The module library's application object: lives from load to unload and owns the module's
// persistent state. Only the module window's Save writes the store back.
#include "framework/CWinApp.h"
#include "module/actions/CCustomActionList.h"
#include "module/profiles/CProfileList.h"
#include "platform/IKeyValueStore.h"
#include "platform/Win32TickSource.h"

#include <memory>
#include <string>

class CvireoApp : public CWinApp {
public:
    std::wstring m_appDir;
    // The module store root; null when it could not be opened at all. Read-only when it could
    // be opened only for reading: saves then write nothing.
    std::unique_ptr<platform::IKeyValueStore> m_rootKey;
    CProfileList m_profiles;
    std::wstring m_currentProfileId;
    CCustomActionList m_actions;

    BOOL InitInstance() override;

    // Null when the current ID names no profile.
    CProfileVireo* FindCurrentProfile() { return m_profiles.FindProfile(m_currentProfileId); }
    const platform::ITickSource& Ticks() const { return m_ticks; }

private:
    platform::Win32TickSource m_ticks;
};

// The library's single application object.
CvireoApp& GetVireoApp();
