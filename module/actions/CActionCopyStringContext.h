#pragma once
// A text macro: the text pasted through the clipboard, stored in subkey "CopyString" as
// "String".
#include "module/actions/IActionContext.h"

#include <string>

class CActionCopyStringContext final : public IActionContext {
public:
    std::wstring m_string;

    void Load(platform::IKeyValueStore& actionKey) override;
    void Save(platform::IKeyValueStore& actionKey) const override;
    // Puts the text on the clipboard and pastes it with Ctrl+V; nothing at all when the
    // clipboard cannot be had.
    void Run(const ActionServices& services) override;
};
