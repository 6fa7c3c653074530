#pragma once
// What running an action reaches the system through: synthesized keys, the clipboard and the
// shell, and the pauses between events (which the action runner cuts short when it closes).
#include "platform/IInputShell.h"
#include "platform/IPause.h"

struct ActionServices {
    platform::IInputShell& shell;
    platform::IPause& pause;
};
