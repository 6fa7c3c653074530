#pragma once
// The one way work reaches the user-interface thread from any other thread. A queue is bound
// to a window; what is posted runs on that window's thread, in the order it was posted (so in
// each sender's order). Nothing is lost or leaked at the edges: a post the queue cannot
// deliver (no window bound, or the system refuses the wake-up) frees its task at once and
// returns false; when the window is destroyed, what is still pending is freed without running.
//
// Workers hold the queue (a shared pointer), never the window object: the window-object map
// belongs to the user-interface thread.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class CUiTaskQueue : public std::enable_shared_from_this<CUiTaskQueue> {
public:
    using Task = std::function<void()>;

    static std::shared_ptr<CUiTaskQueue> Create();
    ~CUiTaskQueue();

    CUiTaskQueue(const CUiTaskQueue&) = delete;
    CUiTaskQueue& operator=(const CUiTaskQueue&) = delete;

    // On the window's thread. Tasks run there from its message loop until Unbind or the
    // window's destruction. False when the window is not one of this thread's or a window is
    // bound already.
    bool Bind(HWND window);
    // On the window's thread (also done when the window is destroyed): the pending tasks are
    // freed without running, and later posts are refused.
    void Unbind();
    // Any thread. True when the task will run; false when it was freed instead.
    bool Post(Task task);

    bool IsBound() const;
    std::size_t PendingCount() const;

private:
    struct Entry {
        std::uint64_t number;
        Task task;
    };

    CUiTaskQueue() = default;
    void RunPending();
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);

    mutable std::mutex m_lock;
    HWND m_window = nullptr;
    std::deque<Entry> m_tasks;
    std::uint64_t m_nextNumber = 0;
    bool m_wakeUpQueued = false;      // one wake-up message stands for every task
    std::atomic<bool> m_bound{false}; // m_window != null, read without the lock between tasks
    std::shared_ptr<CUiTaskQueue> m_keepAlive; // while bound: the window's hold on the queue
};
