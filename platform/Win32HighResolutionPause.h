#pragma once
// Win32 implementation of the pause seam. A plain Sleep ends on the next timer tick (up to
// 15.6 ms late by default), so pauses wait on a high-resolution waitable timer until shortly
// before the deadline; where the system's own sleep keeps sub-millisecond time instead (Wine,
// whose timers wake late on a busy machine), pauses sleep with it in steps of at most 10 ms.
// The last 0.2 ms is a busy wait: yielding would lose a scheduler slice on a busy machine.
// Where the system has no high-resolution timer, the timer resolution is raised to 1 ms for
// the length of each pause only. Interrupt ends a waiting pause within one step.
#include "platform/IPause.h"

#include <memory>

namespace platform {

class Win32HighResolutionPause final : public IPause {
public:
    Win32HighResolutionPause();
    ~Win32HighResolutionPause() override;

    bool Wait(std::uint32_t milliseconds) override;
    void Interrupt() override;

    // False when the system lacks high-resolution timers and pauses raise the resolution.
    bool HasHighResolutionTimer() const;

private:
    struct Handles;
    std::unique_ptr<Handles> m_handles;
};

} // namespace platform
