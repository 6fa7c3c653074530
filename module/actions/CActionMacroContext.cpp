#include "module/actions/CActionMacroContext.h"

#include "module/actions/CKeyboardSender.h"

#include <algorithm>
#include <string>

namespace {
std::wstring StepValueName(std::size_t number) {
    return L"Input" + std::to_wstring(number);
}

platform::KeyEvent ToKeyEvent(const MacroStep& step) {
    return {step.wVk, step.wScan,
            step.dwFlags & (platform::KeyEvent::kExtendedKey | platform::KeyEvent::kKeyUp)};
}
} // namespace

void CActionMacroContext::Load(platform::IKeyValueStore& actionKey) {
    m_steps.clear();
    auto macro = actionKey.OpenKey(L"Macro");
    if (!macro)
        return;
    // Every step is a value of its own, so a count beyond the values the key holds is
    // damaged; reading it would create billions of empty steps. A missing count means every
    // stored step. A missing or damaged step reads as an all-zero one.
    const std::size_t values = macro->ValueCount();
    const std::size_t count =
        std::min<std::size_t>(macro->ReadDword(L"MacroCount").value_or(values), values);
    m_steps.reserve(count);
    for (std::size_t number = 1; number <= count; ++number) {
        const auto bytes = macro->ReadBinary(StepValueName(number), MacroStep::kStoredSize);
        m_steps.push_back(bytes ? MacroStep::FromBytes(*bytes) : MacroStep());
    }
}

void CActionMacroContext::Save(platform::IKeyValueStore& actionKey) const {
    auto macro = actionKey.CreateKey(L"Macro");
    if (!macro)
        return;
    macro->WriteDword(L"MacroCount", static_cast<std::uint32_t>(m_steps.size()));
    for (std::size_t i = 0; i < m_steps.size(); ++i)
        macro->WriteBinary(StepValueName(i + 1), m_steps[i].ToBytes());
}

void CActionMacroContext::Run(const ActionServices& services) {
    CKeyboardSender keys(services.shell);
    for (const MacroStep& step : m_steps) {
        // Other record types (mouse, hardware) are never recorded; a damaged store must not
        // click or move the mouse. An all-zero step thus sends nothing.
        if (step.type == MacroStep::kKeyboardInput)
            keys.Send(ToKeyEvent(step));
        if (!services.pause.Wait(step.time)) {
            keys.ReleaseHeld();
            return;
        }
    }
}
