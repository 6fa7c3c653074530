#pragma once
// The input-and-shell seam: one synthesized keyboard event, the clipboard's text, starting a
// file through the desktop shell, and bringing a window to the front. No <windows.h> here:
// the action code and its tests see only this; Win32InputShell implements it.
#include <cstdint>
#include <string>

namespace platform {

// One keyboard event. The system stamps its time; its extra information is kSentByProgram.
struct KeyEvent {
    // Marks the keys this program sends, so its own recorder lets them pass unrecorded.
    static constexpr std::uintptr_t kSentByProgram = 0x56495245; // "VIRE"

    static constexpr std::uint32_t kExtendedKey = 0x1;
    static constexpr std::uint32_t kKeyUp = 0x2;

    std::uint16_t virtualKey = 0;
    // Sent together with the virtual key: some systems drop a key that has only one of them.
    std::uint16_t scanCode = 0;
    // kExtendedKey and kKeyUp; other bits are not sent.
    std::uint32_t flags = 0;
};

// A top-level window, opaque to callers; 0 is none.
using WindowId = std::uintptr_t;

class IInputShell {
public:
    virtual ~IInputShell() = default;

    virtual void SendKey(const KeyEvent& event) = 0;
    // The scan code of a virtual key on the current layout; 0 when it has none.
    virtual std::uint16_t ScanCode(std::uint16_t virtualKey) = 0;

    // Replaces the clipboard's contents by the text, with no window as owner. False when the
    // text is not on the clipboard; when another program holds the clipboard open nothing
    // has changed.
    virtual bool PutClipboardText(const std::wstring& text) = 0;

    // Starts a program or opens a document with its default action; nothing waits for it.
    // False when the shell could not.
    virtual bool OpenFile(const std::wstring& path) = 0;

    // Whether the system keeps programs that are not in front from taking the foreground, so
    // a program about to be started needs this process in front first.
    virtual bool HasForegroundLock() = 0;
    virtual std::uint32_t CurrentProcessId() = 0;
    // The first top-level, unowned window of the process in Z-order; 0 when it has none.
    virtual WindowId FindProcessWindow(std::uint32_t processId) = 0;
    // Activates the window (or its visible last active pop-up), restoring it when minimized.
    // False when the window does not exist.
    virtual bool BringToFront(WindowId window) = 0;
};

} // namespace platform
