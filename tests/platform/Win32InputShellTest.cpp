// The input-and-shell seam against the real system: keys seen by a low-level hook, the
// clipboard, the shell starting a program, and window activation.
#include "platform/Win32InputShell.h"

#include "KeyboardHookRecorder.h"
#include "framework/Handle.h"
#include "tests/module/actions/LaunchProbe.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;
using platform::KeyEvent;
using platform::WindowId;

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return L"<clipboard busy>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    } else {
        text = L"<no text>";
    }
    CloseClipboard();
    return text;
}

std::wstring BesideThisProgram(const wchar_t* file) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + file;
}

WindowId Id(HWND window) {
    return reinterpret_cast<WindowId>(window);
}

fw::UniqueWindow MakeWindow(HWND owner = nullptr) {
    return fw::UniqueWindow(CreateWindowExW(0, L"STATIC", L"input shell test", WS_OVERLAPPEDWINDOW,
                                            10, 10, 200, 100, owner, nullptr,
                                            GetModuleHandleW(nullptr), nullptr));
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

TEST(Win32InputShell, SendsKeysWithBothCodesStampedByTheSystem) {
    KeyboardHookRecorder hook;
    ASSERT_TRUE(hook.Installed());
    platform::Win32InputShell shell;
    const DWORD before = GetTickCount();
    shell.SendKey({'A', 0x1e, 0});
    shell.SendKey({'A', 0x1e, KeyEvent::kKeyUp});
    shell.SendKey({VK_RIGHT, 0x4d, KeyEvent::kExtendedKey});
    shell.SendKey({VK_RIGHT, 0x4d, KeyEvent::kExtendedKey | KeyEvent::kKeyUp});

    ASSERT_TRUE(hook.WaitForKeys({'A', VK_RIGHT}, 4, 5s));
    const DWORD after = GetTickCount();
    const auto keys = hook.Keys({'A', VK_RIGHT});
    ASSERT_EQ(keys.size(), 4u);
    const struct {
        std::uint32_t vk, scan;
        bool up, extended;
    } expected[] = {{'A', 0x1e, false, false},
                    {'A', 0x1e, true, false},
                    {VK_RIGHT, 0x4d, false, true},
                    {VK_RIGHT, 0x4d, true, true}};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(keys[i].vk, expected[i].vk);
        EXPECT_EQ(keys[i].scan, expected[i].scan);
        EXPECT_EQ(keys[i].up, expected[i].up);
        EXPECT_EQ(keys[i].extended, expected[i].extended);
        EXPECT_TRUE(keys[i].injected);
        EXPECT_GE(keys[i].time, before);
        EXPECT_LE(keys[i].time, after);
    }
}

TEST(Win32InputShell, MapsVirtualKeysToScanCodes) {
    platform::Win32InputShell shell;
    EXPECT_EQ(shell.ScanCode(VK_CONTROL), 0x1d);
    EXPECT_EQ(shell.ScanCode('V'), 0x2f);
}

TEST(Win32InputShell, PutsTextOnTheClipboardUnlessAnotherThreadHoldsItOpen) {
    platform::Win32InputShell shell;
    for (const std::wstring text : {L"Gr\u00fc\u00dfe, \u4e16\u754c", L""}) {
        EXPECT_TRUE(shell.PutClipboardText(text));
        EXPECT_EQ(ClipboardText(), text);
    }

    ASSERT_TRUE(shell.PutClipboardText(L"before"));
    std::mutex mutex;
    std::condition_variable changed;
    bool opened = false, done = false;
    std::thread holder([&] {
        // A holder with a window, as programs hold it: an open without one may be shared.
        fw::UniqueWindow window = MakeWindow();
        const bool open = OpenClipboard(window.get()) != FALSE;
        std::unique_lock<std::mutex> lock(mutex);
        opened = open;
        changed.notify_all();
        changed.wait(lock, [&] { return done; });
        if (open)
            CloseClipboard();
    });
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return opened; });
    }
    EXPECT_FALSE(shell.PutClipboardText(L"after"));
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    changed.notify_all();
    holder.join();
    EXPECT_EQ(ClipboardText(), L"before");
}

TEST(Win32InputShell, StartsAProgramAndReportsAMissingOneQuietly) {
    fw::UniqueKernelHandle started(CreateEventW(nullptr, TRUE, FALSE, kLaunchProbeEvent));
    ASSERT_TRUE(started);
    platform::Win32InputShell shell;
    EXPECT_TRUE(shell.OpenFile(BesideThisProgram(kLaunchProbeFile)));
    EXPECT_EQ(WaitForSingleObject(started.get(), 10000), WAIT_OBJECT_0);

    EXPECT_FALSE(shell.OpenFile(BesideThisProgram(L"no-such-program.exe")));
}

TEST(Win32InputShell, FindsTheProcessesFirstUnownedWindowAndForgetsADestroyedOne) {
    platform::Win32InputShell shell;
    fw::UniqueWindow first = MakeWindow();
    fw::UniqueWindow second = MakeWindow();
    fw::UniqueWindow owned = MakeWindow(second.get());
    ASSERT_TRUE(first && second && owned);
    EXPECT_TRUE(shell.HasForegroundLock());

    const DWORD self = GetCurrentProcessId();
    EXPECT_EQ(shell.CurrentProcessId(), self);
    const WindowId found = shell.FindProcessWindow(self);
    EXPECT_TRUE(found == Id(first.get()) || found == Id(second.get()));

    (found == Id(first.get()) ? first : second).reset();
    const WindowId next = shell.FindProcessWindow(self);
    EXPECT_NE(next, found);
    EXPECT_TRUE(next == Id(first.get()) || next == Id(second.get()));

    EXPECT_EQ(shell.FindProcessWindow(self + 0x10000000), 0u);
}

TEST(Win32InputShell, BringsAWindowOrItsActivePopupToTheFront) {
    platform::Win32InputShell shell;
    fw::UniqueWindow target = MakeWindow();
    fw::UniqueWindow other = MakeWindow();
    ShowWindow(target.get(), SW_SHOWNORMAL);
    ShowWindow(other.get(), SW_SHOWNORMAL);
    SetForegroundWindow(other.get());
    PumpMessages();

    ShowWindow(target.get(), SW_MINIMIZE);
    PumpMessages();
    EXPECT_TRUE(shell.BringToFront(Id(target.get())));
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), target.get());
    EXPECT_FALSE(IsIconic(target.get()));

    fw::UniqueWindow popup = MakeWindow(target.get());
    ShowWindow(popup.get(), SW_SHOWNORMAL);
    SetForegroundWindow(popup.get());
    SetForegroundWindow(other.get());
    PumpMessages();
    EXPECT_TRUE(shell.BringToFront(Id(target.get())));
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), popup.get());

    const WindowId gone = Id(other.get());
    other.reset();
    EXPECT_FALSE(shell.BringToFront(gone));
    EXPECT_FALSE(shell.BringToFront(0));
}

} // namespace
