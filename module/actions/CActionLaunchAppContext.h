#pragma once
// An application launch: the program to start, stored in subkey "LaunchApp" as "FilePath".
#include "module/actions/IActionContext.h"

#include <string>

class CActionLaunchAppContext final : public IActionContext {
public:
    std::wstring m_filePath;

    void Load(platform::IKeyValueStore& actionKey) override;
    void Save(platform::IKeyValueStore& actionKey) const override;
    // Starts the program; nothing for an empty path.
    void Run(const ActionServices& services) override;
};
