#pragma once
// The pause seam: waits between synthesized events, as exact as the system allows, that
// another thread can cut short. No <windows.h> here; Win32HighResolutionPause implements it.
#include <cstdint>

namespace platform {

class IPause {
public:
    virtual ~IPause() = default;

    // Waits the milliseconds (0: not at all). False once Interrupt has been called: the wait
    // then ends at once.
    virtual bool Wait(std::uint32_t milliseconds) = 0;
    // Ends the current wait and every later one. From any thread; cannot be undone.
    virtual void Interrupt() = 0;
};

} // namespace platform
