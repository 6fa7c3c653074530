#include "module/actions/CHotKeyFun.h"

#include "module/actions/CKeyboardSender.h"

#include <cstdint>

namespace {
constexpr std::uint16_t kControlKey = 0x11;
constexpr std::uint16_t kVKey = 0x56;
constexpr std::uint32_t kChordPause = 50;
} // namespace

void CHotKeyFun::PasteKeys(const ActionServices& services) const {
    using platform::KeyEvent;
    const std::uint16_t controlScan = services.shell.ScanCode(kControlKey);
    const std::uint16_t vScan = services.shell.ScanCode(kVKey);
    const KeyEvent chord[] = {{kControlKey, controlScan, 0},
                              {kVKey, vScan, 0},
                              {kVKey, vScan, KeyEvent::kKeyUp},
                              {kControlKey, controlScan, KeyEvent::kKeyUp}};
    CKeyboardSender keys(services.shell);
    for (const KeyEvent& event : chord) {
        if (!services.pause.Wait(kChordPause)) {
            keys.ReleaseHeld();
            return;
        }
        keys.Send(event);
    }
}
