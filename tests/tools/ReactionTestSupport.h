#pragma once
// What the click-to-macro test and benchmark share: a stored macro step for one key, and a
// module window that ignores the reactions' messages.
#include "module/actions/MacroStep.h"
#include "module/core/IReactionWindow.h"

#include <windows.h>

#include <cstdint>

inline MacroStep MacroKey(std::uint16_t vk, bool up, std::uint32_t pauseMs = 0) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.wScan = static_cast<std::uint16_t>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    step.dwFlags = up ? MacroStep::kKeyUp : 0;
    step.time = pauseMs;
    return step;
}

class SilentReactionWindow : public IReactionWindow {
public:
    void NotifyProfileChanged() override {}
    void ShowDeviceSettings(int, int) override {}
    void RequestSave() override {}
    void PostStatUpdate(int, int) override {}
};
