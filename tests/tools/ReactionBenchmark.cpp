// Not a test: how long a click on the simulated mouse takes to become a key event. Prints,
// for a button release on the simulated mouse, the time until the first key of the assigned
// macro reaches a low-level keyboard hook (median, p99), and as the baseline measured in the
// same run, the time from a direct SendInput to the same hook, and the bare chain: a bare
// poll + read loop on the driver that sends the key itself when it reads the release.
// Besides the text, `RESULT name value unit` lines for scripts/bench.sh.
// Needs the simulated driver: kestrel-sim install first.
#include "module/actions/BuiltInActions.h"
#include "module/actions/CActionRunner.h"
#include "module/core/CDeviceReactions.h"
#include "platform/Win32HighResolutionPause.h"
#include "platform/Win32InputShell.h"
#include "platform/Win32TickSource.h"
#include "tests/tools/ReactionTestSupport.h"
#include "tools/simmouse/SimMouseClient.h"
#include "tools/simmouse/bench/BareEventLoop.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr WORD kProbeKey = VK_F13; // a key nothing on the desktop reacts to

std::atomic<LONGLONG> g_lastKeyDown{0};
HANDLE g_keySeen = nullptr;

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && key->vkCode == kProbeKey && wParam == WM_KEYDOWN) {
        g_lastKeyDown = Now();
        SetEvent(g_keySeen);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook lives on a thread of its own with a message loop, as low-level hooks need.
class HookThread {
public:
    HookThread() {
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_thread = std::thread([this, ready] {
            m_threadId = GetCurrentThreadId();
            HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, &KeyHook, GetModuleHandleW(nullptr), 0);
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            SetEvent(ready);
            while (GetMessageW(&msg, nullptr, 0, 0) > 0)
                DispatchMessageW(&msg);
            UnhookWindowsHookEx(hook);
        });
        WaitForSingleObject(ready, 5000);
        CloseHandle(ready);
    }
    ~HookThread() {
        PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }

private:
    std::thread m_thread;
    DWORD m_threadId = 0;
};

struct Summary {
    double median;
    double p99;
};

Summary Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    if (samples.empty())
        return {0, 0};
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

void SendProbeKey() {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = kProbeKey;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(10, atoi(argv[1])) : 300;
    g_keySeen = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    simmouse::Device control;
    if (!control.Open()) {
        std::fprintf(stderr, "no simulated mouse: run kestrel-sim install first\n");
        return 1;
    }
    control.Reset();

    CProfileList profiles;
    std::wstring currentId = L"ID_PROFILE_BENCH";
    CCustomActionList actions;
    platform::Win32TickSource ticks;
    AddMissingBuiltInActions(actions);
    const std::wstring macroId = actions.CreateAction(CCustomAction::kKeypressMacro, 1);
    actions.Find(macroId)->m_macro.m_steps = {MacroKey(kProbeKey, false),
                                              MacroKey(kProbeKey, true)};
    CProfileVireo profile = CProfileVireo::MakeStandard(currentId, L"Bench");
    profile.m_buttonAction[3] = macroId;
    profiles.Append(profile);

    platform::Win32InputShell shell;
    platform::Win32HighResolutionPause pause;
    CActionRunner runner(ActionServices{shell, pause});
    SilentReactionWindow window;
    CDeviceReactions mouse(ModuleModel{profiles, currentId, actions, ticks});
    auto driver = std::make_shared<CDriverVireo>();
    mouse.Attach(driver, true);
    mouse.BindReactions(&window, &runner);
    HookThread hook;

    std::vector<double> click;
    std::vector<double> baseline;
    for (int i = 0; i < rounds; ++i) {
        control.Inject(0x08);
        Sleep(2);
        ResetEvent(g_keySeen);
        const LONGLONG released = Now();
        control.Inject(0x00);
        if (WaitForSingleObject(g_keySeen, 2000) == WAIT_OBJECT_0)
            click.push_back(Milliseconds(g_lastKeyDown - released));
        Sleep(5);

        ResetEvent(g_keySeen);
        const LONGLONG sent = Now();
        SendProbeKey();
        if (WaitForSingleObject(g_keySeen, 2000) == WAIT_OBJECT_0)
            baseline.push_back(Milliseconds(g_lastKeyDown - sent));
        Sleep(5);
    }
    runner.Close();
    mouse.Detach();
    driver->Close();

    // The bare chain: the same release read by a bare loop that sends the key at once.
    std::vector<double> bare;
    {
        simmouse::BareEventLoop loop(device::kQuillonDevicePath,
                                     [](const device::EventRecord& record) {
                                         if (record.kind != device::kRecordKindReply &&
                                             record.size >= 1 && record.data[0] == 0)
                                             SendProbeKey();
                                     });
        for (int i = 0; loop.IsOpen() && i < rounds; ++i) {
            control.Inject(0x08);
            Sleep(2);
            ResetEvent(g_keySeen);
            const LONGLONG released = Now();
            control.Inject(0x00);
            if (WaitForSingleObject(g_keySeen, 2000) == WAIT_OBJECT_0)
                bare.push_back(Milliseconds(g_lastKeyDown - released));
            Sleep(5);
        }
    }

    const Summary c = Summarise(click);
    const Summary b = Summarise(baseline);
    std::printf("button release on the simulated mouse -> first macro key at a keyboard hook\n");
    std::printf("  %zu of %d rounds: median %.3f ms, p99 %.3f ms\n", click.size(), rounds, c.median,
                c.p99);
    std::printf("baseline, SendInput -> the same hook (same run)\n");
    std::printf("  %zu of %d rounds: median %.3f ms, p99 %.3f ms\n", baseline.size(), rounds,
                b.median, b.p99);
    const Summary chain = Summarise(bare);
    std::printf("bare chain, release -> bare poll + read loop -> SendInput -> the same hook\n");
    std::printf("  %zu of %d rounds: median %.3f ms, p99 %.3f ms\n", bare.size(), rounds,
                chain.median, chain.p99);
    if (b.median > 0)
        std::printf("ratio of medians: %.1f\n", c.median / b.median);
    std::printf("RESULT release_to_key_median %.4f ms\nRESULT release_to_key_p99 %.4f ms\n",
                c.median, c.p99);
    std::printf("RESULT sendinput_to_hook_median %.4f ms\nRESULT sendinput_to_hook_p99 %.4f ms\n",
                b.median, b.p99);
    std::printf("RESULT bare_chain_median %.4f ms\nRESULT bare_chain_p99 %.4f ms\n", chain.median,
                chain.p99);
    CloseHandle(g_keySeen);
    return 0;
}
