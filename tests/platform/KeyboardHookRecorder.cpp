#include "KeyboardHookRecorder.h"

#include "framework/Handle.h"

#include <windows.h>

#include <algorithm>

namespace {

// The one recorder whose hook is in place; low-level hook procedures carry no context.
KeyboardHookRecorder* g_recorder = nullptr;

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_recorder) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        g_recorder->Record({info->vkCode, info->scanCode, (info->flags & LLKHF_UP) != 0,
                            (info->flags & LLKHF_EXTENDED) != 0,
                            (info->flags & LLKHF_INJECTED) != 0, info->time});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool IsOneOf(std::uint32_t vk, const std::vector<std::uint32_t>& vks) {
    return std::find(vks.begin(), vks.end(), vk) != vks.end();
}

} // namespace

KeyboardHookRecorder::KeyboardHookRecorder() {
    g_recorder = this;
    m_thread = std::thread([this] { HookLoop(); });
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_ready; });
}

KeyboardHookRecorder::~KeyboardHookRecorder() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    g_recorder = nullptr;
}

void KeyboardHookRecorder::HookLoop() {
    MSG message;
    // Makes the thread's message queue before anyone posts to it.
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    fw::UniqueHook hook(
        SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, GetModuleHandleW(nullptr), 0));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_threadId = GetCurrentThreadId();
        m_installed = static_cast<bool>(hook);
        m_ready = true;
    }
    m_changed.notify_all();
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
}

void KeyboardHookRecorder::Record(const ObservedKey& key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keys.push_back(key);
    m_changed.notify_all();
}

std::vector<ObservedKey> KeyboardHookRecorder::Keys(const std::vector<std::uint32_t>& vks) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<ObservedKey> keys;
    std::copy_if(m_keys.begin(), m_keys.end(), std::back_inserter(keys),
                 [&](const ObservedKey& key) { return IsOneOf(key.vk, vks); });
    return keys;
}

bool KeyboardHookRecorder::WaitForKeys(const std::vector<std::uint32_t>& vks, std::size_t count,
                                       std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] {
        return static_cast<std::size_t>(
                   std::count_if(m_keys.begin(), m_keys.end(), [&](const ObservedKey& key) {
                       return IsOneOf(key.vk, vks);
                   })) >= count;
    });
}
