#include "platform/Win32InputShell.h"

#include "framework/Handle.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>

namespace platform {

namespace {

struct GlobalMemoryTraits {
    using pointer = HGLOBAL;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::GlobalFree(h); }
};
using UniqueGlobalMemory = fw::UniqueHandle<GlobalMemoryTraits>;

// The clipboard, opened without an owner window for the life of the object.
class OpenClipboardScope {
public:
    OpenClipboardScope() : m_open(::OpenClipboard(nullptr) != FALSE) {}
    ~OpenClipboardScope() {
        if (m_open)
            ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

// Movable memory holding the text and its terminating zero; empty when none can be had.
UniqueGlobalMemory CopyToGlobalMemory(const std::wstring& text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return memory;
    void* target = ::GlobalLock(memory.get());
    if (!target)
        return UniqueGlobalMemory();
    std::memcpy(target, text.c_str(), bytes);
    ::GlobalUnlock(memory.get());
    return memory;
}

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

// Windows 2000 and later refuse the foreground to programs that are not in front.
bool QueryForegroundLock() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(&version))
        return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 4;
}

HWND ToWindow(WindowId window) {
    return reinterpret_cast<HWND>(window);
}

} // namespace

Win32InputShell::Win32InputShell() : m_foregroundLock(QueryForegroundLock()) {}

void Win32InputShell::SendKey(const KeyEvent& event) {
    // The native 64-bit record; the time stays 0 so the system stamps the event itself.
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = event.virtualKey;
    input.ki.wScan = event.scanCode;
    input.ki.dwFlags = event.flags & (KeyEvent::kExtendedKey | KeyEvent::kKeyUp);
    input.ki.dwExtraInfo = KeyEvent::kSentByProgram;
    ::SendInput(1, &input, sizeof(input));
}

std::uint16_t Win32InputShell::ScanCode(std::uint16_t virtualKey) {
    return static_cast<std::uint16_t>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
}

bool Win32InputShell::PutClipboardText(const std::wstring& text) {
    // The memory comes first, so a shortage leaves the clipboard as it was.
    UniqueGlobalMemory memory = CopyToGlobalMemory(text);
    if (!memory)
        return false;
    OpenClipboardScope clipboard;
    if (!clipboard.IsOpen())
        return false;
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get()))
        return false;
    // The clipboard owns the memory now.
    memory.release();
    return true;
}

bool Win32InputShell::OpenFile(const std::wstring& path) {
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    // No error box: nobody is there to answer it, and it would hold up the actions behind.
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.lpFile = path.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&request))
        return false;
    // Nothing waits for the started program.
    fw::UniqueKernelHandle process(request.hProcess);
    return true;
}

std::uint32_t Win32InputShell::CurrentProcessId() {
    return ::GetCurrentProcessId();
}

WindowId Win32InputShell::FindProcessWindow(std::uint32_t processId) {
    HWND cached = ToWindow(m_cachedWindow);
    if (cached && ::IsWindow(cached) && ProcessOf(cached) == processId)
        return m_cachedWindow;
    m_cachedWindow = 0;
    for (HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD); window;
         window = ::GetWindow(window, GW_HWNDNEXT)) {
        // Neither child nor owned: GetParent names the owner of pop-ups only.
        if (!::GetParent(window) && !::GetWindow(window, GW_OWNER) &&
            ProcessOf(window) == processId) {
            m_cachedWindow = reinterpret_cast<WindowId>(window);
            break;
        }
    }
    return m_cachedWindow;
}

bool Win32InputShell::BringToFront(WindowId windowId) {
    HWND window = ToWindow(windowId);
    if (!window || !::IsWindow(window))
        return false;
    HWND popup = ::GetLastActivePopup(window);
    if (popup && popup != window && ::IsWindowVisible(popup))
        window = popup;
    if (::IsIconic(window))
        ::ShowWindow(window, SW_RESTORE);

    // Sharing input state with the foreground thread lets this one pass the foreground on.
    const DWORD windowThread = ::GetWindowThreadProcessId(window, nullptr);
    HWND foreground = ::GetForegroundWindow();
    const DWORD foregroundThread = foreground ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
    const DWORD callingThread = ::GetCurrentThreadId();
    const bool attachForeground = foregroundThread != 0 && foregroundThread != windowThread;
    const bool attachCaller = callingThread != windowThread;
    if (attachForeground)
        ::AttachThreadInput(windowThread, foregroundThread, TRUE);
    if (attachCaller)
        ::AttachThreadInput(windowThread, callingThread, TRUE);
    ::SetForegroundWindow(window);
    if (attachForeground)
        ::AttachThreadInput(windowThread, foregroundThread, FALSE);
    if (attachCaller)
        ::AttachThreadInput(windowThread, callingThread, FALSE);
    return true;
}

} // namespace platform
