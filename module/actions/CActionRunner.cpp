#include "module/actions/CActionRunner.h"

CActionRunner::CActionRunner(const ActionServices& services)
    : m_services(services), m_thread([this] { RunPosted(); }) {}

CActionRunner::~CActionRunner() {
    Close();
}

void CActionRunner::Post(const CCustomAction& action) {
    if (!action.ActiveContext())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closing)
            return;
        m_pending.push_back(action);
    }
    m_posted.notify_one();
}

void CActionRunner::Close() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closing = true;
        m_pending.clear();
    }
    m_services.pause.Interrupt();
    m_posted.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

bool CActionRunner::Busy() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_running || !m_pending.empty();
}

void CActionRunner::SetIdleNotice(std::function<void()> notice) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_idleNotice = std::move(notice);
}

void CActionRunner::RunPosted() {
    for (;;) {
        CCustomAction action;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_posted.wait(lock, [this] { return m_closing || !m_pending.empty(); });
            if (m_closing)
                return;
            action = std::move(m_pending.front());
            m_pending.pop_front();
            m_running = true;
        }
        if (IActionContext* context = action.ActiveContext())
            context->Run(m_services);
        std::function<void()> notice;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_running = false;
            if (m_pending.empty() && !m_closing)
                notice = m_idleNotice;
        }
        if (notice)
            notice();
    }
}
