#pragma once
// Win32 implementation of the input-and-shell seam: SendInput, MapVirtualKeyW, the clipboard
// with CF_UNICODETEXT, ShellExecuteExW, and foreground activation through attached input
// queues. Use it from one thread: it caches the window FindProcessWindow found.
#include "platform/IInputShell.h"

namespace platform {

class Win32InputShell final : public IInputShell {
public:
    Win32InputShell();

    void SendKey(const KeyEvent& event) override;
    std::uint16_t ScanCode(std::uint16_t virtualKey) override;
    bool PutClipboardText(const std::wstring& text) override;
    bool OpenFile(const std::wstring& path) override;
    bool HasForegroundLock() override { return m_foregroundLock; }
    std::uint32_t CurrentProcessId() override;
    WindowId FindProcessWindow(std::uint32_t processId) override;
    bool BringToFront(WindowId window) override;

private:
    bool m_foregroundLock;
    WindowId m_cachedWindow = 0;
};

} // namespace platform
