#pragma once
// Watches the keys that reach the system: a low-level keyboard hook on a thread of its own
// (such hooks are called on the installing thread's message loop) records every key event
// until the recorder is destroyed.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

struct ObservedKey {
    std::uint32_t vk;
    std::uint32_t scan;
    bool up;
    bool extended;
    bool injected;
    std::uint32_t time;
};

class KeyboardHookRecorder {
public:
    // Returns once the hook is in place.
    KeyboardHookRecorder();
    ~KeyboardHookRecorder();
    KeyboardHookRecorder(const KeyboardHookRecorder&) = delete;
    KeyboardHookRecorder& operator=(const KeyboardHookRecorder&) = delete;

    bool Installed() const { return m_installed; }
    // The events of these virtual keys seen so far.
    std::vector<ObservedKey> Keys(const std::vector<std::uint32_t>& vks) const;
    // False when fewer than `count` events of these keys arrived in time.
    bool WaitForKeys(const std::vector<std::uint32_t>& vks, std::size_t count,
                     std::chrono::milliseconds timeout) const;

    // Called by the hook.
    void Record(const ObservedKey& key);

private:
    void HookLoop();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<ObservedKey> m_keys;
    bool m_ready = false;
    bool m_installed = false;
    std::uint32_t m_threadId = 0;
    std::thread m_thread;
};
