#pragma once
// The recorder's system-wide keyboard hook: while it is in place every key event of the
// desktop is posted to one window and kept from every program. One per process. Its
// procedure only posts: a low-level hook that is slow to return is dropped by the system.
// Keys this program sends itself pass through unrecorded.
#include <windows.h>

class CMacroKeyHook {
public:
    // Message posted to the receiver: the event packed as CapturedKey::Pack.
    static constexpr UINT kMessage = WM_USER + 203;

    // Events go to receiver from now on; installs the hook when there is none. False when the
    // system refuses the hook.
    static bool Start(HWND receiver);
    // Removes the hook (if any) and forgets the receiver.
    static void Stop();
    static bool IsInstalled();
    static HWND Receiver();

    // What the unhandled-exception filter runs: removes the hook, then leaves the exception
    // to the filter that was there before. Exposed for tests.
    static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* info);

    // The procedure the system calls; public so its cost can be measured on its own.
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
};
