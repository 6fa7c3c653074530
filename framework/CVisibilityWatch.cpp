#include "framework/CVisibilityWatch.h"

namespace {

// This thread's watches and the one hook they share. Plain values: a thread-local object with
// a destructor would be destroyed at thread exit, when this library may be long unloaded; the
// last watch to stop removes the hook.
struct ThreadWatches {
    CVisibilityWatch* first;
    HHOOK hook;
};
thread_local ThreadWatches t_watches = {nullptr, nullptr};

bool IsSelfOrAncestor(HWND candidate, HWND window) {
    return candidate == window || ::IsChild(candidate, window);
}

} // namespace

bool CVisibilityWatch::Start(HWND window, std::function<void()> gone) {
    Stop();
    if (!::IsWindow(window) ||
        ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId())
        return false;
    if (!t_watches.hook) {
        t_watches.hook =
            ::SetWindowsHookExW(WH_CALLWNDPROC, &HookProc, nullptr, ::GetCurrentThreadId());
        if (!t_watches.hook)
            return false;
    }
    m_window = window;
    m_gone = std::move(gone);
    m_next = t_watches.first;
    t_watches.first = this;
    return true;
}

void CVisibilityWatch::Stop() {
    if (!m_window)
        return;
    for (CVisibilityWatch** link = &t_watches.first; *link; link = &(*link)->m_next) {
        if (*link == this) {
            *link = m_next;
            break;
        }
    }
    m_window = nullptr;
    m_next = nullptr;
    m_gone = nullptr;
    if (!t_watches.first && t_watches.hook) {
        ::UnhookWindowsHookEx(t_watches.hook);
        t_watches.hook = nullptr;
    }
}

bool CVisibilityWatch::Concerns(const CWPSTRUCT& message) const {
    switch (message.message) {
    case WM_WINDOWPOSCHANGING: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.lParam);
        return pos && (pos->flags & SWP_HIDEWINDOW) && ::IsWindowVisible(message.hwnd) &&
               IsSelfOrAncestor(message.hwnd, m_window);
    }
    case WM_SHOWWINDOW:
        return message.wParam == FALSE && IsSelfOrAncestor(message.hwnd, m_window);
    case WM_SIZE:
        return message.wParam == SIZE_MINIMIZED && IsSelfOrAncestor(message.hwnd, m_window);
    case WM_DESTROY:
        return IsSelfOrAncestor(message.hwnd, m_window);
    default:
        return false;
    }
}

LRESULT CALLBACK CVisibilityWatch::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && lParam) {
        const CWPSTRUCT message = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        // A watch that fires ends first: its callback may start or stop others.
        for (CVisibilityWatch* watch = t_watches.first; watch;) {
            CVisibilityWatch* next = watch->m_next;
            if (watch->Concerns(message)) {
                std::function<void()> gone = std::move(watch->m_gone);
                watch->Stop();
                if (gone)
                    gone();
                next = t_watches.first; // the list may have changed; fired ones are gone
            }
            watch = next;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
