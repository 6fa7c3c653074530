#pragma once
// The foreground as the system tells it: win events out of context on the thread that starts
// the watch. Under Wine the foreground event never comes while a focus event does for a focus
// moving into another process, so both are hooked and each event is judged by what
// GetForegroundWindow() says then; a top-level window going (its program ending) counts too.
// Nor does an event come when the program in front ends: the watch waits on that process and
// tells through the given poster, which runs the notice on the watching thread. Program paths
// are cached by process id and creation time, so a reused id is read afresh.
#include "platform/IForegroundWatch.h"

#include <windows.h>

#include <map>

namespace platform {

class Win32ForegroundWatch final : public IForegroundWatch {
public:
    using Poster = std::function<void(std::function<void()>)>;
    explicit Win32ForegroundWatch(Poster toWatchingThread);
    ~Win32ForegroundWatch() override;
    Win32ForegroundWatch(const Win32ForegroundWatch&) = delete;
    Win32ForegroundWatch& operator=(const Win32ForegroundWatch&) = delete;

    bool Start(std::function<void()> onChange) override;
    void Stop() override;
    std::uint32_t ForegroundProcess() override;
    std::wstring ProcessImagePath(std::uint32_t processId) override;
    std::uint32_t OwnProcess() const override;

private:
    struct CachedPath {
        std::uint64_t created;
        std::wstring path;
    };
    void Notify();
    void WatchForEnd(std::uint32_t processId);
    void StopWatchingForEnd();
    static void CALLBACK OnProcessEnded(void* watch, BOOLEAN timedOut);
    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                    LONG child, DWORD thread, DWORD time);

    std::function<void()> m_onChange;
    HWINEVENTHOOK m_foregroundHook = nullptr;
    HWINEVENTHOOK m_objectHook = nullptr;
    std::map<std::uint32_t, CachedPath> m_paths;
    Poster m_post;
    std::uint32_t m_endWatched = 0;
    HANDLE m_endProcess = nullptr;
    HANDLE m_endWait = nullptr;
};

} // namespace platform
