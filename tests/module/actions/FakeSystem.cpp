#include "FakeSystem.h"

#include <cstdio>

namespace {

std::string KeyText(std::uint16_t vk, std::uint16_t scan, std::uint32_t flags) {
    char text[40];
    std::snprintf(text, sizeof(text), "%x:%x%s %s", vk, scan,
                  (flags & platform::KeyEvent::kExtendedKey) ? " ext" : "",
                  (flags & platform::KeyEvent::kKeyUp) ? "up" : "down");
    return text;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

} // namespace

std::string FakeSystem::Down(std::uint16_t vk, std::uint16_t scan) {
    return KeyText(vk, scan, 0);
}

std::string FakeSystem::Up(std::uint16_t vk, std::uint16_t scan) {
    return KeyText(vk, scan, platform::KeyEvent::kKeyUp);
}

std::vector<std::string> FakeSystem::Journal() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_journal;
}

bool FakeSystem::WaitForJournalSize(std::size_t size, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_journal.size() >= size; });
}

void FakeSystem::FinishBlockedWait() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_blockedWaitFinished = true;
    m_changed.notify_all();
}

void FakeSystem::Write(const std::string& entry) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_journal.push_back(entry);
    m_changed.notify_all();
}

void FakeSystem::SendKey(const platform::KeyEvent& event) {
    Write(KeyText(event.virtualKey, event.scanCode, event.flags));
}

std::uint16_t FakeSystem::ScanCode(std::uint16_t virtualKey) {
    auto it = scanCodes.find(virtualKey);
    return it == scanCodes.end() ? 0 : it->second;
}

bool FakeSystem::PutClipboardText(const std::wstring& text) {
    if (clipboardBusy)
        return false;
    Write("clipboard " + Narrow(text));
    return true;
}

bool FakeSystem::OpenFile(const std::wstring& path) {
    Write("open " + Narrow(path));
    return true;
}

platform::WindowId FakeSystem::FindProcessWindow(std::uint32_t processId) {
    auto it = windowOfProcess.find(processId);
    return it == windowOfProcess.end() ? 0 : it->second;
}

bool FakeSystem::BringToFront(platform::WindowId window) {
    Write("front " + std::to_string(window));
    return true;
}

bool FakeSystem::Wait(std::uint32_t milliseconds) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (milliseconds == 0)
        return !m_interrupted;
    const std::string entry = "wait " + std::to_string(milliseconds);
    if (++m_waits == interruptAtWait)
        m_interrupted = true;
    if (!m_interrupted && milliseconds == blockingWait) {
        m_journal.push_back(entry + " begins");
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_interrupted || m_blockedWaitFinished; });
    }
    m_journal.push_back(m_interrupted ? entry + " interrupted" : entry);
    m_changed.notify_all();
    return !m_interrupted;
}

void FakeSystem::Interrupt() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_interrupted = true;
    m_changed.notify_all();
}
