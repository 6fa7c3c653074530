// The recording hook on the real desktop: it keeps keys from everyone else and hands them to
// its window, lets this program's own keys pass, and goes when the process crashes.
#include "module/actions/CMacroKeyHook.h"
#include "module/actions/CapturedKey.h"
#include "platform/Win32InputShell.h"
#include "tests/platform/KeyboardHookRecorder.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testing_support::PumpMessagesUntil;

void SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

// A message-only window that keeps what the hook posts.
class Receiver {
public:
    Receiver() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Receiver::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MacroHookTestReceiver";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Receiver() { DestroyWindow(m_hwnd); }
    HWND Hwnd() const { return m_hwnd; }
    std::vector<CapturedKey> keys;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == CMacroKeyHook::kMessage) {
            auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            self->keys.push_back(CapturedKey::Unpack(wParam, static_cast<std::uint64_t>(lParam)));
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND m_hwnd = nullptr;
};

class MacroKeyHook : public testing::Test {
protected:
    // In place before the recording hook, so it sees only what that hook lets pass.
    KeyboardHookRecorder m_outside;
    Receiver m_receiver;

    void TearDown() override {
        CMacroKeyHook::Stop();
        for (WORD vk : {WORD{'A'}, WORD{'B'}})
            SendKey(vk, true);
    }
};

TEST(CapturedKeyPacking, EveryFieldSurvivesThePostedMessage) {
    CapturedKey key;
    key.message = 0x105;
    key.vk = 0xFFFE;
    key.scan = 0xE11D;
    key.flags = 0x91;
    key.time = 0xFFFFFFF0;
    const auto packed = key.Pack();
    const CapturedKey back = CapturedKey::Unpack(packed.first, packed.second);
    EXPECT_EQ(back.message, key.message);
    EXPECT_EQ(back.vk, key.vk);
    EXPECT_EQ(back.scan, key.scan);
    EXPECT_EQ(back.flags, key.flags);
    EXPECT_EQ(back.time, key.time);
    EXPECT_FALSE(back.IsPress());
}

TEST_F(MacroKeyHook, KeysGoToTheReceiverOnlyAndPassAgainAfterStop) {
    ASSERT_TRUE(m_outside.Installed());
    ASSERT_TRUE(CMacroKeyHook::Start(m_receiver.Hwnd()));
    SendKey('A', false);
    SendKey('A', true);
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_receiver.keys.size() == 2; }));
    EXPECT_EQ(m_receiver.keys[0].vk, 'A');
    EXPECT_TRUE(m_receiver.keys[0].IsPress());
    EXPECT_TRUE(m_receiver.keys[1].flags & CapturedKey::kReleased);
    EXPECT_TRUE(m_outside.Keys({'A'}).empty());

    CMacroKeyHook::Stop();
    EXPECT_FALSE(CMacroKeyHook::IsInstalled());
    SendKey('A', false);
    SendKey('A', true);
    EXPECT_TRUE(m_outside.WaitForKeys({'A'}, 2, std::chrono::seconds(10)));
    EXPECT_EQ(m_receiver.keys.size(), 2u);
}

TEST_F(MacroKeyHook, KeysThisProgramSendsPassUnrecorded) {
    ASSERT_TRUE(CMacroKeyHook::Start(m_receiver.Hwnd()));
    // As a running macro sends them.
    platform::Win32InputShell shell;
    const std::uint16_t scan = shell.ScanCode('A');
    shell.SendKey({'A', scan, 0});
    shell.SendKey({'A', scan, platform::KeyEvent::kKeyUp});
    SendKey('B', false);
    SendKey('B', true);
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_receiver.keys.size() == 2; }));
    EXPECT_EQ(m_receiver.keys[0].vk, 'B');
    EXPECT_TRUE(m_outside.WaitForKeys({'A'}, 2, std::chrono::seconds(10)));
    EXPECT_TRUE(m_outside.Keys({'B'}).empty());
}

TEST_F(MacroKeyHook, ACrashRemovesTheHook) {
    ASSERT_TRUE(CMacroKeyHook::Start(m_receiver.Hwnd()));
    // The filter the process would run on an unhandled exception.
    LPTOP_LEVEL_EXCEPTION_FILTER installed = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(installed);
    ASSERT_NE(installed, nullptr);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    CONTEXT context{};
    EXCEPTION_POINTERS pointers{&record, &context};
    EXPECT_EQ(installed(&pointers), EXCEPTION_CONTINUE_SEARCH);

    EXPECT_FALSE(CMacroKeyHook::IsInstalled());
    SendKey('A', false);
    SendKey('A', true);
    EXPECT_TRUE(m_outside.WaitForKeys({'A'}, 2, std::chrono::seconds(10)));
    EXPECT_TRUE(m_receiver.keys.empty());
}

} // namespace
