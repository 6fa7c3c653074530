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
    // Only the steps present load: a count beyond them (or one that is not a number) must not
    // add empty steps that the next save would store. Every step is a value of its own, so
    // the values the key holds bound the loop however large the count. A step that is there
    // but damaged reads as an all-zero one, which sends nothing.
    const std::size_t values = macro->ValueCount();
    const std::size_t count =
        std::min<std::size_t>(macro->ReadDword(L"MacroCount").value_or(values), values);
    for (std::size_t number = 1; number <= count; ++number) {
        const std::wstring name = StepValueName(number);
        const auto bytes = macro->ReadBinary(name, MacroStep::kStoredSize);
        if (!bytes && !macro->HasValue(name))
            break;
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
