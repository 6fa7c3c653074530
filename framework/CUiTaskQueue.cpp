#include "framework/CUiTaskQueue.h"

#include "framework/WindowSubclass.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

UINT WakeUpMessage() {
    static const UINT message = RegisterWindowMessageW(L"Gearhost.UiTaskQueue.WakeUp");
    return message;
}

// The queue's subclass of its window; one queue per window.
constexpr UINT_PTR kSubclassId = 0x5441534B;

} // namespace

std::shared_ptr<CUiTaskQueue> CUiTaskQueue::Create() {
    return std::shared_ptr<CUiTaskQueue>(new CUiTaskQueue());
}

CUiTaskQueue::~CUiTaskQueue() = default; // pending tasks are freed with the deque

bool CUiTaskQueue::Bind(HWND window) {
    if (!::IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() ||
        IsBound())
        return false;
    if (!fw::SetWindowSubclass(window, &CUiTaskQueue::SubclassProc, kSubclassId,
                               reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_keepAlive = shared_from_this();
    std::lock_guard<std::mutex> lock(m_lock);
    m_window = window;
    m_wakeUpQueued = false;
    m_bound = true;
    return true;
}

void CUiTaskQueue::Unbind() {
    std::deque<Entry> dropped;
    HWND window;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        window = m_window;
        m_window = nullptr;
        m_bound = false;
        dropped.swap(m_tasks);
        m_wakeUpQueued = false;
    }
    if (window)
        fw::RemoveWindowSubclass(window, &CUiTaskQueue::SubclassProc, kSubclassId);
    dropped.clear(); // outside the lock: a task's captures may post again
    // Last: this may be the final owner of the queue.
    std::shared_ptr<CUiTaskQueue> self = std::move(m_keepAlive);
}

bool CUiTaskQueue::Post(Task task) {
    if (!task)
        return false;
    HWND wakeUp = nullptr;
    std::uint64_t number = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!m_window)
            return false; // the task is freed on return
        number = m_nextNumber++;
        m_tasks.push_back({number, std::move(task)});
        if (!m_wakeUpQueued) {
            m_wakeUpQueued = true;
            wakeUp = m_window;
        }
    }
    if (!wakeUp || PostMessageW(wakeUp, WakeUpMessage(), 0, 0))
        return true;
    // Refused (the window's queue is full, or the window just went): take the task back.
    // Tasks of other senders wait for the next wake-up (or are freed with the window).
    Task refused;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_wakeUpQueued = false;
        auto it = std::find_if(m_tasks.begin(), m_tasks.end(),
                               [number](const Entry& entry) { return entry.number == number; });
        if (it != m_tasks.end()) {
            refused = std::move(it->task);
            m_tasks.erase(it);
        }
    }
    return !refused; // not found: a wake-up already in flight ran it
}

bool CUiTaskQueue::IsBound() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_window != nullptr;
}

std::size_t CUiTaskQueue::PendingCount() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_tasks.size();
}

void CUiTaskQueue::RunPending() {
    // What is queued now runs in this turn; later posts bring their own wake-up, so the
    // window's other messages are never starved by a flood. One lock for the whole batch.
    std::vector<Task> batch;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_wakeUpQueued = false;
        batch.reserve(m_tasks.size());
        for (Entry& entry : m_tasks)
            batch.push_back(std::move(entry.task));
        m_tasks.clear();
    }
    // A task may destroy the window: the rest of the batch is then freed unrun, and the queue
    // must outlive this loop.
    std::shared_ptr<CUiTaskQueue> self = shared_from_this();
    for (Task& task : batch) {
        if (!m_bound.load())
            break;
        task();
        task = nullptr;
    }
}

LRESULT CALLBACK CUiTaskQueue::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR data) {
    auto* queue = reinterpret_cast<CUiTaskQueue*>(data);
    if (message == WakeUpMessage()) {
        queue->RunPending();
        return 0;
    }
    if (message == WM_NCDESTROY)
        queue->Unbind();
    return fw::DefSubclassProc(window, message, wParam, lParam);
}
