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
    // Pasting comes with input synthesis.
    void Run() override {}
};
