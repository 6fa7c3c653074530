#include "module/actions/CMacroKeyHook.h"

#include "module/actions/CapturedKey.h"
#include "platform/IInputShell.h"

#include <atomic>

namespace {

// Atomic: a crash on another thread removes the hook through the exception filter.
std::atomic<HHOOK> g_hook{nullptr};
std::atomic<HWND> g_receiver{nullptr};
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
bool g_filterSet = false;

void RemoveHook() {
    if (HHOOK hook = g_hook.exchange(nullptr))
        UnhookWindowsHookEx(hook);
}

// The hook never outlives the module either (unloaded without Stop, exit() from anywhere),
// and the filter is handed back: its code goes with the module.
struct RemoveAtExit {
    ~RemoveAtExit() {
        RemoveHook();
        if (!g_filterSet)
            return;
        LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(g_previousFilter);
        if (current != &CMacroKeyHook::OnUnhandledException)
            SetUnhandledExceptionFilter(current); // someone chained after us: theirs stays
    }
} g_removeAtExit;

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&RemoveHook), &module);
    return module;
}

} // namespace

bool CMacroKeyHook::Start(HWND receiver) {
    g_receiver = receiver;
    if (!g_filterSet) {
        g_previousFilter = SetUnhandledExceptionFilter(&CMacroKeyHook::OnUnhandledException);
        g_filterSet = true;
    }
    if (g_hook)
        return true;
    g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, &CMacroKeyHook::HookProc, ThisModule(), 0);
    return g_hook != nullptr;
}

void CMacroKeyHook::Stop() {
    RemoveHook();
    g_receiver = nullptr;
}

bool CMacroKeyHook::IsInstalled() {
    return g_hook != nullptr;
}

HWND CMacroKeyHook::Receiver() {
    return g_receiver;
}

LONG WINAPI CMacroKeyHook::OnUnhandledException(EXCEPTION_POINTERS* info) {
    RemoveHook();
    if (g_previousFilter && g_previousFilter != &CMacroKeyHook::OnUnhandledException)
        return g_previousFilter(info);
    return EXCEPTION_CONTINUE_SEARCH;
}

LRESULT CALLBACK CMacroKeyHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HC_ACTION)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (event->dwExtraInfo == platform::KeyEvent::kSentByProgram)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    CapturedKey key;
    key.message = static_cast<std::uint32_t>(wParam);
    key.vk = static_cast<std::uint16_t>(event->vkCode);
    key.scan = static_cast<std::uint16_t>(event->scanCode);
    key.flags = static_cast<std::uint8_t>(event->flags);
    key.time = event->time;
    const auto packed = key.Pack();
    if (HWND receiver = g_receiver)
        PostMessageW(receiver, kMessage, static_cast<WPARAM>(packed.first),
                     static_cast<LPARAM>(packed.second));
    return 1;
}
