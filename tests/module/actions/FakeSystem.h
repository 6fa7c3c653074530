#pragma once
// The input-and-shell and pause seams in one double that writes everything asked of it into
// one journal, in order, as short texts ("41:1e down", "wait 100", "clipboard abc", ...).
// Pauses take no time unless told to block, for the runner thread's tests.
#include "module/actions/ActionServices.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class FakeSystem final : public platform::IInputShell, public platform::IPause {
public:
    // Journal texts of key events.
    static std::string Down(std::uint16_t vk, std::uint16_t scan);
    static std::string Up(std::uint16_t vk, std::uint16_t scan);

    // Seams' settings, to be made before use.
    bool clipboardBusy = false;
    bool foregroundLock = true;
    std::uint32_t processId = 77;
    std::map<std::uint32_t, platform::WindowId> windowOfProcess;
    std::map<std::uint16_t, std::uint16_t> scanCodes;
    // The wait with this number (1-based, non-zero waits only) is interrupted.
    int interruptAtWait = 0;
    // A wait of this many milliseconds blocks until Interrupt or FinishBlockedWait.
    std::uint32_t blockingWait = 0;

    ActionServices Services() { return {*this, *this}; }
    std::vector<std::string> Journal() const;
    // False when the journal has not reached the size in time.
    bool WaitForJournalSize(std::size_t size, std::chrono::milliseconds timeout);
    void FinishBlockedWait();

    void SendKey(const platform::KeyEvent& event) override;
    std::uint16_t ScanCode(std::uint16_t virtualKey) override;
    bool PutClipboardText(const std::wstring& text) override;
    bool OpenFile(const std::wstring& path) override;
    bool HasForegroundLock() override { return foregroundLock; }
    std::uint32_t CurrentProcessId() override { return processId; }
    platform::WindowId FindProcessWindow(std::uint32_t processId) override;
    bool BringToFront(platform::WindowId window) override;

    bool Wait(std::uint32_t milliseconds) override;
    void Interrupt() override;

private:
    void Write(const std::string& entry);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_journal;
    int m_waits = 0;
    bool m_interrupted = false;
    bool m_blockedWaitFinished = false;
};
