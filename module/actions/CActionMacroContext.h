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
    // Each step in order, then its pause. Only keyboard steps are sent; an interrupted pause
    // drops the remaining steps and releases the keys the macro still holds.
    void Run(const ActionServices& services) override;
};
