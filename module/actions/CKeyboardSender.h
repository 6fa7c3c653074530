#pragma once
// Sends key events and remembers which keys it left pressed, so that playback cut short can
// let go of them instead of leaving keys stuck down for the whole system.
#include "platform/IInputShell.h"

#include <vector>

class CKeyboardSender {
public:
    explicit CKeyboardSender(platform::IInputShell& shell) : m_shell(shell) {}

    void Send(const platform::KeyEvent& event);
    // Key-up events for the keys still pressed, the last pressed first.
    void ReleaseHeld();

private:
    platform::IInputShell& m_shell;
    std::vector<platform::KeyEvent> m_held;
};
