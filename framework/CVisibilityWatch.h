#pragma once
// Tells, once, when a window stops being visible to the user: it or one of its ancestors is
// hidden, minimised or destroyed. A child window is told nothing when an ancestor hides, so
// the watch looks at the messages of this thread's windows (a thread hook, present only while
// something is watched) before they are handled.

#include <windows.h>

#include <functional>

class CVisibilityWatch {
public:
    CVisibilityWatch() = default;
    ~CVisibilityWatch() { Stop(); }
    CVisibilityWatch(const CVisibilityWatch&) = delete;
    CVisibilityWatch& operator=(const CVisibilityWatch&) = delete;

    // On the window's thread. `gone` runs on that thread, at most once, before the window or
    // its ancestor is hidden; the watch has ended when it runs. False for a window of another
    // thread (nothing is watched then).
    bool Start(HWND window, std::function<void()> gone);
    void Stop();
    bool IsWatching() const { return m_window != nullptr; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    bool Concerns(const CWPSTRUCT& message) const;

    HWND m_window = nullptr;
    std::function<void()> m_gone;
    CVisibilityWatch* m_next = nullptr; // this thread's other watches
};
