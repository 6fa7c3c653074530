#pragma once
// A keypress macro: the recorded steps, stored in subkey "Macro" as "MacroCount" and
// "Input1".."Input<n>".
#include "module/actions/IActionContext.h"
#include "module/actions/MacroStep.h"

#include <vector>

class CActionMacroContext final : public IActionContext {
public:
    std::vector<MacroStep> m_steps;

    void Load(platform::IKeyValueStore& actionKey) override;
    void Save(platform::IKeyValueStore& actionKey) const override;
    // Playback comes with input synthesis.
    void Run() override {}
};
