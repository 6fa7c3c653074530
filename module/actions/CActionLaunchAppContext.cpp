#include "module/actions/CActionLaunchAppContext.h"

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
