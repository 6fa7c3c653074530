#include "module/actions/CKeyboardSender.h"

#include <algorithm>

namespace {

using platform::KeyEvent;

// Left and right keys share a virtual key and differ in the extended bit.
bool SameKey(const KeyEvent& a, const KeyEvent& b) {
    return a.virtualKey == b.virtualKey && a.scanCode == b.scanCode &&
           (a.flags & KeyEvent::kExtendedKey) == (b.flags & KeyEvent::kExtendedKey);
}

} // namespace

void CKeyboardSender::Send(const KeyEvent& event) {
    m_shell.SendKey(event);
    auto held = std::find_if(m_held.begin(), m_held.end(),
                             [&](const KeyEvent& down) { return SameKey(down, event); });
    if (event.flags & KeyEvent::kKeyUp) {
        if (held != m_held.end())
            m_held.erase(held);
    } else if (held == m_held.end()) {
        m_held.push_back(event);
    }
}

void CKeyboardSender::ReleaseHeld() {
    while (!m_held.empty()) {
        KeyEvent release = m_held.back();
        m_held.pop_back();
        release.flags |= KeyEvent::kKeyUp;
        m_shell.SendKey(release);
    }
}
