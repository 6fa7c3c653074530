// Actions run by the action-runner thread through the real system under the desktop: a
// macro's keys reach a low-level hook with their pauses, a text macro is pasted into the
// focused edit control, and a launch action starts a program.
#include "module/actions/CActionRunner.h"

#include "LaunchProbe.h"
#include "framework/Handle.h"
#include "platform/Win32HighResolutionPause.h"
#include "platform/Win32InputShell.h"
#include "tests/platform/KeyboardHookRecorder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

MacroStep Key(std::uint16_t vk, std::uint16_t scan, std::uint32_t flags, std::uint32_t pause) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.wScan = scan;
    step.dwFlags = flags;
    step.time = pause;
    return step;
}

// Runs message loops until the condition holds; false after the timeout.
template <typename Condition> bool PumpUntil(Condition condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

class ActionsOnDesktop : public testing::Test {
protected:
    platform::Win32InputShell shell;
    platform::Win32HighResolutionPause pause;
    CActionRunner runner{{shell, pause}};
};

TEST_F(ActionsOnDesktop, KeypressMacroSendsItsKeysWithTheirPauses) {
    KeyboardHookRecorder hook;
    ASSERT_TRUE(hook.Installed());
    CCustomAction macro(L"ID_ACTION_1");
    macro.m_macro.m_steps = {Key('A', 0x1e, 0, 100), Key('A', 0x1e, MacroStep::kKeyUp, 0)};

    runner.Post(macro);
    ASSERT_TRUE(hook.WaitForKeys({'A'}, 2, 5s));
    const auto keys = hook.Keys({'A'});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_FALSE(keys[0].up);
    EXPECT_TRUE(keys[1].up);
    EXPECT_EQ(keys[0].scan, 0x1eu);
    // Tick counts step by whole milliseconds.
    EXPECT_GE(keys[1].time - keys[0].time, 99u);
}

TEST_F(ActionsOnDesktop, TextMacroIsPastedIntoTheFocusedEditControl) {
    fw::UniqueWindow frame(CreateWindowExW(0, L"STATIC", L"paste target", WS_OVERLAPPEDWINDOW, 20,
                                           20, 300, 120, nullptr, nullptr,
                                           GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(frame);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 280,
                                24, frame.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    ShowWindow(frame.get(), SW_SHOWNORMAL);
    SetForegroundWindow(frame.get());
    SetFocus(edit);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit; }, 5000));

    CCustomAction text(L"ID_ACTION_2");
    text.SetKind(CCustomAction::kTextMacro);
    text.m_copyString.m_string = L"pasted by a macro \u00e9";
    runner.Post(text);

    EXPECT_TRUE(PumpUntil([&] { return WindowText(edit) == text.m_copyString.m_string; }, 5000))
        << "edit holds: " << testing::PrintToString(WindowText(edit));
    // Ctrl and V are up again for the whole system.
    EXPECT_TRUE(PumpUntil([] { return !(GetAsyncKeyState(VK_CONTROL) & 0x8000); }, 2000));
}

TEST_F(ActionsOnDesktop, LaunchActionStartsTheProgram) {
    fw::UniqueKernelHandle started(CreateEventW(nullptr, TRUE, FALSE, kLaunchProbeEvent));
    ASSERT_TRUE(started);
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));

    CCustomAction launch(L"ID_ACTION_3");
    launch.SetKind(CCustomAction::kLaunchApplication);
    launch.m_launchApp.m_filePath = self.substr(0, self.find_last_of(L'\\') + 1) + kLaunchProbeFile;
    runner.Post(launch);

    EXPECT_EQ(WaitForSingleObject(started.get(), 10000), WAIT_OBJECT_0);
}

} // namespace
