#include "module/actions/CActionLaunchAppContext.h"

#include "module/actions/CUtility.h"
#include "module/profiles/StoreLayout.h"

void CActionLaunchAppContext::Load(platform::IKeyValueStore& actionKey) {
    m_filePath.clear();
    if (auto key = actionKey.OpenKey(L"LaunchApp"))
        m_filePath = ReadStoredText(*key, L"FilePath");
}

void CActionLaunchAppContext::Save(platform::IKeyValueStore& actionKey) const {
    if (auto key = actionKey.CreateKey(L"LaunchApp"))
        key->WriteString(L"FilePath", m_filePath);
}

void CActionLaunchAppContext::Run(const ActionServices& services) {
    if (m_filePath.empty())
        return;
    CUtility::get_const_instance().LaunchFile(services.shell, m_filePath);
}
