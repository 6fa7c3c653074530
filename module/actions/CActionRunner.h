#pragma once
// The action-runner thread: runs copies of actions one at a time in arrival order, so a macro
// with long pauses neither holds up the thread that posts it nor races edits of the list.
// Close (or destruction) ends the running action after its current step, drops the rest
// and waits for the thread. Close it before the library unloads, never from DllMain.
#include "module/actions/ActionServices.h"
#include "module/actions/IActionQueue.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class CActionRunner final : public IActionQueue {
public:
    // The services must outlive the runner; the pause is interrupted for good by Close.
    explicit CActionRunner(const ActionServices& services);
    ~CActionRunner();
    CActionRunner(const CActionRunner&) = delete;
    CActionRunner& operator=(const CActionRunner&) = delete;

    // Ignored after Close, and for actions that run nothing (the buttons' own functions).
    void Post(const CCustomAction& action) override;
    void Close();

    // True from a Post until the last posted action has run.
    bool Busy() const;
    // Called on the runner's thread each time the last posted action has run; set it before
    // anything is posted.
    void SetIdleNotice(std::function<void()> notice);

private:
    void RunPosted();

    ActionServices m_services;
    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<CCustomAction> m_pending;
    bool m_closing = false;
    bool m_running = false;
    std::function<void()> m_idleNotice;
    std::thread m_thread;
};
