#pragma once
// The foreground seam: told when another window may have come to the front, and which
// program's window is in front. Win32ForegroundWatch.* is the system's; tests use a double.
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

class IForegroundWatch {
public:
    virtual ~IForegroundWatch() = default;

    // Calls onChange on the calling thread (from its message loop) after each event that may
    // mean another window is in front. False when nothing could be watched.
    virtual bool Start(std::function<void()> onChange) = 0;
    virtual void Stop() = 0;

    // The process of the window in front; 0 when no window is in front.
    virtual std::uint32_t ForegroundProcess() = 0;
    // The full path of the process's program; empty when it cannot be read (it ended).
    virtual std::wstring ProcessImagePath(std::uint32_t processId) = 0;
    // This process: its windows in front are the host's.
    virtual std::uint32_t OwnProcess() const = 0;
};

} // namespace platform
