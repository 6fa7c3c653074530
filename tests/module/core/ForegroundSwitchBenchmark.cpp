// Not a test: how long a program coming to the front takes to put its profile's settings into
// the simulated mouse, beside the bare delivery of the same focus event to an empty win-event
// hook of this process, in the same rounds. Needs the simulated driver installed and the
// desktop (see README, Performance).
//   foreground_benchmark [ROUNDS]
#include "module/device/CDriverVireo.h"
#include "module/profiles/ProfileStore.h"
#include "tests/platform/CurrentUserKeyGuard.h"
#include "tests/support/BenchmarkTiming.h"
#include "tests/support/TempDir.h"
#include "tools/simmouse/SimMouseClient.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const wchar_t kStorePath[] = L"SOFTWARE\\Ardent,Inc.\\vireo";
constexpr int kOffice = 1, kGames = 2; // CPI levels of the two profiles

Clock::time_point g_hookSeen;
bool g_hookFired = false;

// The empty hook: it notes when the event arrived and nothing else.
void CALLBACK EmptyHook(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (!g_hookFired) {
        g_hookSeen = Clock::now();
        g_hookFired = true;
    }
}

void PumpWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

bool WaitFor(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (Clock::now() > end)
            return false;
        PumpWaiting();
        Sleep(10);
    }
    return true;
}

HWND WindowOf(DWORD process) {
    struct Search {
        DWORD process;
        HWND found;
    } search = {process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Started {
    PROCESS_INFORMATION info = {};
    HWND window = nullptr;
};

Started Start(const std::wstring& exe, const std::wstring& folder) {
    Started started;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {sizeof(startup)};
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.c_str(), &startup, &started.info))
        WaitFor([&] { return (started.window = WindowOf(started.info.dwProcessId)) != nullptr; });
    return started;
}

void End(Started& started, HWND closeWindow) {
    if (!started.info.hProcess)
        return;
    if (closeWindow)
        PostMessageW(closeWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.info.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(started.info.hProcess, 1);
    CloseHandle(started.info.hThread);
    CloseHandle(started.info.hProcess);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 40;
    testing_support::CurrentUserKeyGuard storeGuard(kStorePath);
    {
        auto user = platform::OpenCurrentUserStore();
        if (!user)
            return 1;
        CProfileList profiles;
        CProfileVireo office = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office");
        office.m_cpi1 = kOffice;
        CProfileVireo games = CProfileVireo::MakeStandard(L"ID_PROFILE_2", L"Games");
        games.m_cpi1 = kGames;
        games.m_programs = {L"game.exe"};
        profiles.Append(office);
        profiles.Append(games);
        SaveProfiles(user->CreateKey(kStorePath).get(), profiles, L"ID_PROFILE_1");
    }
    simmouse::Device mouse;
    if (!mouse.Open() || !mouse.Reset()) {
        std::printf("the simulated mouse is not installed (kestrel-sim install)\n");
        return 1;
    }
    auto mouseCpi = [&] {
        SimMouseStatus status = {};
        return mouse.GetStatus(&status) ? status.state[5] : 0;
    };

    testing_support::TempDir folder;
    const std::wstring bin = testing_support::ProgramDir();
    Started host = Start(bin + L"\\Gearhost.exe", folder.Path());
    HWND hostWindow = simmouse::FindHostWindow();
    if (!WaitFor([&] {
            SimMouseStatus status = {};
            return (hostWindow = simmouse::FindHostWindow()) && mouse.GetStatus(&status) &&
                   status.pendingPolls > 0;
        }))
        return 1;
    for (const wchar_t* name : {L"game.exe", L"plain.exe"})
        CopyFileW((bin + L"\\front_probe.exe").c_str(), folder.File(name).c_str(), FALSE);
    Started game = Start(folder.File(L"game.exe"), folder.Path());
    Started plain = Start(folder.File(L"plain.exe"), folder.Path());
    if (!game.window || !plain.window)
        return 1;
    WaitFor([&] { return mouseCpi() == device::EncodeIndex(kOffice); });

    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, EmptyHook,
                                         0, 0, WINEVENT_OUTOFCONTEXT);
    std::vector<double> delivery, switched;
    for (int round = 0; round < rounds; ++round) {
        const bool toGame = round % 2 == 0;
        const std::uint8_t expected = device::EncodeIndex(toGame ? kGames : kOffice);
        PumpWaiting();
        g_hookFired = false;
        const auto asked = Clock::now();
        SetForegroundWindow(toGame ? game.window : plain.window);
        Clock::time_point reached;
        bool arrived = false;
        const auto end = asked + std::chrono::seconds(10);
        while (Clock::now() < end && !(arrived && g_hookFired)) {
            PumpWaiting();
            if (!arrived && mouseCpi() == expected) {
                reached = Clock::now();
                arrived = true;
            }
        }
        if (!arrived || !g_hookFired) {
            std::printf("round %d: %s\n", round,
                        arrived ? "no event at the empty hook" : "the mouse never got the profile");
            continue;
        }
        delivery.push_back(std::chrono::duration<double, std::milli>(g_hookSeen - asked).count());
        switched.push_back(std::chrono::duration<double, std::milli>(reached - asked).count());
        Sleep(50);
    }
    UnhookWinEvent(hook);

    auto percentile = [](std::vector<double> samples, double p) {
        if (samples.empty())
            return 0.0;
        std::sort(samples.begin(), samples.end());
        return samples[static_cast<std::size_t>(p * (samples.size() - 1))];
    };
    std::printf("foreground change, %zu of %d rounds (ms from SetForegroundWindow):\n",
                switched.size(), rounds);
    std::printf("  focus event at an empty hook:     median %6.2f  p90 %6.2f\n",
                testing_support::Median(delivery), percentile(delivery, 0.9));
    std::printf("  new profile's CPI at the mouse:   median %6.2f  p90 %6.2f\n",
                testing_support::Median(switched), percentile(switched, 0.9));
    std::printf("  added by the switch (medians):    %6.2f\n",
                testing_support::Median(switched) - testing_support::Median(delivery));

    End(game, game.window);
    End(plain, plain.window);
    End(host, hostWindow);
    return 0;
}
