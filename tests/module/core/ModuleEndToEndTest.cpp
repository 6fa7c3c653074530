// The real Gearhost.exe with the real vireo.dll and the simulated Kestrel: what a user does in
// the windows, read back from the simulated mouse, the store and the windows. Needs the
// simulated driver (fixture simmouse) and the desktop.
#include "host/resource.h"
#include "module/core/resource.h"
#include "module/pages/InfoPagesResource.h"
#include "module/pages/resource.h"
#include "module/device/CDriverVireo.h"
#include "tests/module/core/ModuleEndToEnd.h"
#include "tests/platform/KeyboardHookRecorder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

TEST_F(ModuleEndToEnd, AMouseThatArrivesGetsItsProfileSavedAndSent) {
    HostProcess host;
    ASSERT_NO_FATAL_FAILURE(StartHost(host));
    ASSERT_TRUE(simmouse::AnnounceInterface(m_host, true));

    // read settings -> 0xAC -> the matching profile -> Save -> five masks and write settings
    ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == 1; }));
    EXPECT_EQ(Reports(device::kCommandReadSettings), 1);
    EXPECT_EQ(Status().masksReceived, 5u);
    const Stored stored = ReadStore();
    ASSERT_EQ(stored.profiles.Count(), 1u) << "the mouse's own state is the default profile's";
    const CProfileVireo* profile = stored.profiles.FindProfile(stored.currentId);
    ASSERT_NE(profile, nullptr);
    SimMouseStatus status = Status();
    EXPECT_EQ(device::EncodeIndex(profile->m_cpi1), status.state[5]);
    EXPECT_EQ(device::EncodeIndex(profile->m_reportRate), status.state[6]);
    EXPECT_EQ(HostProfileCount(), 1);

    // Set on the mouse itself: button 5 off and another CPI level. No profile has those
    // buttons, so a new one is made, saved, sent and shown in the host.
    std::uint8_t changed[7];
    std::copy(status.state, status.state + 7, changed);
    changed[4] = device::kModeDisabled;
    changed[5] = changed[5] == 0x08 ? 0x01 : 0x08;
    ASSERT_TRUE(m_mouse.SetState(changed));
    ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == 2; }));
    const Stored after = ReadStore();
    ASSERT_EQ(after.profiles.Count(), 2u);
    EXPECT_NE(after.currentId, stored.currentId);
    const CProfileVireo* made = after.profiles.FindProfile(after.currentId);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->m_buttonEnable[4], 0);
    EXPECT_EQ(device::EncodeIndex(made->m_cpi1), changed[5]);
    EXPECT_TRUE(WaitUntil([&] { return HostProfileCount() == 2; }));
    EXPECT_EQ(Status().state[5], changed[5]);
}

TEST_F(ModuleEndToEnd, SettingsPageSaveSendsTheLevelAndRestoreDropsAMoveAndSendsNothing) {
    HostProcess host;
    ASSERT_NO_FATAL_FAILURE(StartHost(host));
    ASSERT_NO_FATAL_FAILURE(MouseReports({0, 0, 0, 0, 0, 0x02, 0x08}));
    ASSERT_EQ(CpiSlider(), 1) << "the mouse's level is shown";

    ClickModule(IDC_RADIO_PAGE2);
    EXPECT_TRUE(IsWindowVisible(Page(IDC_SLIDER_CPI)) || !IsWindowVisible(m_host));
    SendMessageW(PageItem(IDC_SLIDER_CPI), TBM_SETPOS, TRUE, 3);
    ClickModule(IDC_BTN_SAVE);
    ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == 2; }));
    EXPECT_EQ(Status().state[5], 0x08);
    const Stored stored = ReadStore();
    ASSERT_NE(stored.profiles.FindProfile(stored.currentId), nullptr);
    EXPECT_EQ(stored.profiles.FindProfile(stored.currentId)->m_cpi1, 3);

    const unsigned logged = Status().logTotal;
    SendMessageW(PageItem(IDC_SLIDER_CPI), TBM_SETPOS, TRUE, 0);
    ClickModule(IDC_BTN_RESTORE);
    EXPECT_EQ(CpiSlider(), 3);
    EXPECT_EQ(Status().logTotal, logged) << "Restore sends the mouse nothing";
    EXPECT_EQ(Status().state[5], 0x08);
}

TEST_F(ModuleEndToEnd, SwitchingProfilesInTheHostShowsEachOnThePages) {
    {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        CProfileList profiles;
        CProfileVireo office = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office");
        office.m_cpi1 = 0;
        CProfileVireo games = CProfileVireo::MakeStandard(L"ID_PROFILE_2", L"Games");
        games.m_cpi1 = 2;
        games.m_buttonEnable[2] = 0;
        profiles.Append(office);
        profiles.Append(games);
        SaveProfiles(user->CreateKey(kStorePath).get(), profiles, L"ID_PROFILE_1");
    }
    HostProcess host;
    ASSERT_NO_FATAL_FAILURE(StartHost(host));
    ASSERT_TRUE(simmouse::AnnounceInterface(m_host, true));
    ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == 1; }));
    const HWND list = HostList(IDC_LIST_PROFILE);
    ASSERT_EQ(HostProfileCount(), 2);

    const HWND buttons = Page(IDC_COMBO_BUTTON3);
    ASSERT_NE(buttons, nullptr);
    const struct {
        int item;
        int cpi;
        bool button3On;
    } cases[] = {{1, 2, false}, {0, 1, true}, {1, 2, false}}; // Office took the mouse's level 1
    for (const auto& c : cases) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(c.item), 0);
        SendMessageW(m_host, WM_COMMAND, MAKEWPARAM(IDC_LIST_PROFILE, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(CpiSlider(), c.cpi) << "item " << c.item;
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(buttons, IDC_COMBO_BUTTON3)) != FALSE, c.button3On)
            << "item " << c.item;
        EXPECT_EQ(Text(PageItem(IDC_BTN_START_STOP)).empty(), false);
    }
}

TEST_F(ModuleEndToEnd, ClicksOfEnabledButtonsAreCountedAndAMacroTypesWhileTheWindowIsHidden) {
    const wchar_t* macroId = L"ID_ACTION_9";
    {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        auto root = user->CreateKey(kStorePath);
        StoreOneKeyMacro(*root, macroId, L"Q", 'Q');
        CProfileList profiles;
        CProfileVireo profile = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Games");
        profile.m_buttonAction[3] = macroId; // button 4
        profile.m_buttonEnable[4] = 0;       // button 5 off
        profiles.Append(profile);
        SaveProfiles(root.get(), profiles, L"ID_PROFILE_1");
    }
    HostProcess host;
    ASSERT_NO_FATAL_FAILURE(StartHost(host));
    ASSERT_FALSE(IsWindowVisible(m_host)) << "the host starts in the notification area";
    // The mouse's own state fits the stored profile: it stays current.
    ASSERT_NO_FATAL_FAILURE(
        MouseReports({0, 0, 0, device::kModeKeypressMacro, device::kModeDisabled, 0x01, 0x08}));
    EXPECT_EQ(ReadStore().profiles.Count(), 1u);

    Click(PageItem(IDC_BTN_START_STOP));
    KeyboardHookRecorder keys;
    ASSERT_TRUE(keys.Installed());
    ASSERT_NO_FATAL_FAILURE(Press(0x01));
    ASSERT_NO_FATAL_FAILURE(Press(0x01));
    ASSERT_NO_FATAL_FAILURE(Press(0x10));
    ASSERT_NO_FATAL_FAILURE(Press(0x08));
    EXPECT_TRUE(keys.WaitForKeys({'Q'}, 2, std::chrono::seconds(10)));
    const HWND stats = Page(IDC_BTN_START_STOP);
    EXPECT_TRUE(WaitUntil(
        [&] { return Text(GetDlgItem(stats, IDC_INDICATOR_BUTTON1 + 3)) == L"Back Button - 1"; }));
    EXPECT_EQ(Text(GetDlgItem(stats, IDC_INDICATOR_BUTTON1)), L"Left Button - 2");
    EXPECT_EQ(Text(GetDlgItem(stats, IDC_INDICATOR_BUTTON1 + 4)), L"Forward Button - 0");
}

// The driver goes away under the running module and comes back: the next arrival of the mouse
// opens the channel again, and the mouse is served as before.
TEST_F(ModuleEndToEnd, ADriverThatComesBackIsServedAgainFromTheNextArrival) {
    HostProcess host;
    ASSERT_NO_FATAL_FAILURE(StartHost(host));
    ASSERT_TRUE(simmouse::AnnounceInterface(m_host, true));
    ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == 1; }));

    m_mouse.Close();
    std::wstring error;
    ASSERT_TRUE(simmouse::StopDriver(30000, &error)) << std::string(error.begin(), error.end());
    ASSERT_TRUE(simmouse::AnnounceInterface(m_host, false));
    ASSERT_TRUE(simmouse::StartDriver(30000, &error)) << std::string(error.begin(), error.end());
    ASSERT_TRUE(m_mouse.Open());
    ASSERT_TRUE(m_mouse.Reset());
    ASSERT_TRUE(simmouse::AnnounceInterface(m_host, true));

    ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == 1; }))
        << "read settings, its answer and the Save through the reopened channel";
    EXPECT_EQ(Reports(device::kCommandReadSettings), 1);
    EXPECT_TRUE(WaitUntil([&] { return Status().pendingPolls > 0; })) << "the reader waits again";
    EXPECT_EQ(HostProfileCount(), 1);
}

// A copy of the front probe under a file name a profile may follow, started; its window comes
// to the front by itself.
class FrontProgram {
public:
    FrontProgram(const std::wstring& folder, const std::wstring& file) {
        const std::wstring path = folder + L"\\" + file;
        const std::wstring probe = testing_support::ProgramDir() + L"\\front_probe.exe";
        if (!CopyFileW(probe.c_str(), path.c_str(), FALSE))
            return;
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup = {sizeof(startup)};
        if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &m_info))
            return;
        WaitUntil([&] { return (m_window = FindWindowOf(m_info.dwProcessId)) != nullptr; });
    }
    ~FrontProgram() {
        End();
        if (m_info.hProcess) {
            CloseHandle(m_info.hThread);
            CloseHandle(m_info.hProcess);
        }
    }
    bool Started() const { return m_window != nullptr; }
    void Front() const { SetForegroundWindow(m_window); }
    void End() {
        if (!m_window)
            return;
        PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_info.hProcess, 30000) != WAIT_OBJECT_0)
            ADD_FAILURE() << "the front probe did not end";
        m_window = nullptr;
    }

private:
    static HWND FindWindowOf(DWORD process) {
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

    PROCESS_INFORMATION m_info = {};
    HWND m_window = nullptr;
};

// Office is chosen by hand; Games and Games 2 both follow game.exe, Games 2 also tool.exe.
// Each has its own CPI level, so the mouse shows which one it got.
class FollowingTheForeground : public ModuleEndToEnd {
protected:
    static constexpr int kOffice = 1, kGames = 2, kGames2 = 3; // CPI levels, and list order

    void SetUp() override {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        CProfileList profiles;
        CProfileVireo office = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office");
        office.m_cpi1 = kOffice;
        CProfileVireo games = CProfileVireo::MakeStandard(L"ID_PROFILE_2", L"Games");
        games.m_cpi1 = kGames;
        games.m_buttonEnable[2] = 0;
        games.m_programs = {L"Game.exe"};
        CProfileVireo games2 = CProfileVireo::MakeStandard(L"ID_PROFILE_3", L"Games 2");
        games2.m_cpi1 = kGames2;
        games2.m_programs = {L"tool.exe", L"GAME.EXE"};
        for (const CProfileVireo& profile : {office, games, games2})
            profiles.Append(profile);
        SaveProfiles(user->CreateKey(kStorePath).get(), profiles, L"ID_PROFILE_1");

        ASSERT_NO_FATAL_FAILURE(StartHost(m_hostProcess));
        ASSERT_TRUE(simmouse::AnnounceInterface(m_host, true));
        ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == 1; }));
        ASSERT_EQ(Status().state[5], device::EncodeIndex(kOffice));
    }
    // The mouse got this profile's level, and the host's list shows it selected.
    bool Shows(int cpi) {
        const HWND list = HostList(IDC_LIST_PROFILE);
        const int item = cpi == kOffice ? 0 : cpi == kGames ? 1 : 2;
        return WaitUntil([&] {
            return Status().state[5] == device::EncodeIndex(cpi) &&
                   SendMessageW(list, LB_GETCURSEL, 0, 0) == item;
        });
    }

    testing_support::TempDir m_programs;
    HostProcess m_hostProcess;
};

TEST_F(FollowingTheForeground, SwitchesInToTheFirstProfileNamingTheProgramAndBack) {
    FrontProgram game(m_programs.Path(), L"game.exe");
    ASSERT_TRUE(game.Started());
    EXPECT_TRUE(Shows(kGames)) << "the first of two profiles naming it";
    EXPECT_EQ(Status().state[2], device::kModeDisabled) << "its button masks too";

    FrontProgram plain(m_programs.Path(), L"plain.exe");
    ASSERT_TRUE(plain.Started());
    EXPECT_TRUE(Shows(kOffice)) << "named by nobody: the hand's choice";
    EXPECT_EQ(Status().state[2], device::kModeNative);

    FrontProgram tool(m_programs.Path(), L"tool.exe");
    ASSERT_TRUE(tool.Started());
    EXPECT_TRUE(Shows(kGames2));
    game.Front();
    EXPECT_TRUE(Shows(kGames));

    const Stored stored = ReadStore();
    EXPECT_EQ(stored.currentId, L"ID_PROFILE_1") << "a switch writes nothing to the store";
}

// A slider moved and not saved goes with its profile when a program takes the mouse to
// another one, and comes back with it; nothing is written to the store.
TEST_F(FollowingTheForeground, AnUnsavedMoveStaysWithTheProfileItWasMadeOn) {
    SendMessageW(PageItem(IDC_SLIDER_CPI), TBM_SETPOS, TRUE, 0);
    FrontProgram game(m_programs.Path(), L"game.exe");
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(Shows(kGames));
    EXPECT_EQ(CpiSlider(), kGames);

    FrontProgram plain(m_programs.Path(), L"plain.exe");
    ASSERT_TRUE(plain.Started());
    EXPECT_TRUE(WaitUntil([&] { return Status().state[5] == device::EncodeIndex(0); }))
        << "Office comes back with the move";
    EXPECT_EQ(CpiSlider(), 0);
    const Stored stored = ReadStore();
    ASSERT_NE(stored.profiles.FindProfile(L"ID_PROFILE_1"), nullptr);
    EXPECT_EQ(stored.profiles.FindProfile(L"ID_PROFILE_1")->m_cpi1, kOffice);
}

TEST_F(FollowingTheForeground, AProgramEndingInFrontBringsBackTheHandsChoice) {
    FrontProgram game(m_programs.Path(), L"game.exe");
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(Shows(kGames));
    game.End();
    EXPECT_TRUE(Shows(kOffice));
}

TEST_F(FollowingTheForeground, AProfileDeletedWhileItsProgramIsInFrontGivesWayToTheNext) {
    FrontProgram game(m_programs.Path(), L"game.exe");
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(Shows(kGames));
    // Deleted in the host's list (where it is selected) without the host coming to the front.
    Click(GetDlgItem(m_host, IDC_BTN_DELETE_PROFILE));
    ASSERT_EQ(HostProfileCount(), 2);

    FrontProgram plain(m_programs.Path(), L"plain.exe");
    ASSERT_TRUE(plain.Started());
    game.Front();
    EXPECT_TRUE(WaitUntil([&] { return Status().state[5] == device::EncodeIndex(kGames2); }))
        << "Games 2 is now the first naming game.exe";
}

// The exit question of this host process, or null.
HWND FindQuestion(DWORD processId) {
    struct Search {
        DWORD process;
        HWND found;
    } search = {processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window) && GetDlgItem(window, IDOK) &&
                GetDlgItem(window, IDCANCEL)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ExitWay {
    const char* name;
    void (*exit)(HWND host, DWORD processId);
};
void PrintTo(const ExitWay& way, std::ostream* os) {
    *os << way.name;
}

class ExitDuringAMacro : public ModuleEndToEnd, public testing::WithParamInterface<ExitWay> {};

// A macro holding a key through a long pause: the host ends at once, and the key is let go.
TEST_P(ExitDuringAMacro, EndsAtOnceAndLeavesNoKeyDown) {
    const wchar_t* macroId = L"ID_ACTION_9";
    {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        auto root = user->CreateKey(kStorePath);
        StoreOneKeyMacro(*root, macroId, L"Hold", 'K', 60000); // held for a minute
        CProfileList profiles;
        CProfileVireo profile = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Games");
        profile.m_buttonAction[3] = macroId;
        profiles.Append(profile);
        SaveProfiles(root.get(), profiles, L"ID_PROFILE_1");
    }
    HostProcess host;
    ASSERT_NO_FATAL_FAILURE(StartHost(host));
    ASSERT_NO_FATAL_FAILURE(MouseReports({0, 0, 0, device::kModeKeypressMacro, 0, 0x01, 0x08}));
    KeyboardHookRecorder keys;
    ASSERT_TRUE(keys.Installed());
    ASSERT_NO_FATAL_FAILURE(Press(0x08));
    ASSERT_TRUE(keys.WaitForKeys({'K'}, 1, std::chrono::seconds(10)));
    ASSERT_EQ(keys.Keys({'K'}).size(), 1u) << "the macro holds its key";
    for (int i = 0; i < 50; ++i) // events still on their way when the exit comes
        ASSERT_TRUE(m_mouse.Inject(static_cast<std::uint8_t>(i % 2 ? 0x01 : 0x00)));

    const auto asked = std::chrono::steady_clock::now();
    GetParam().exit(m_host, host.Id());
    ASSERT_TRUE(host.WaitForExit(20000)) << "the host waited for the macro";
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - asked);
    std::printf("exit took %lld ms\n", static_cast<long long>(took.count()));
    EXPECT_TRUE(keys.WaitForKeys({'K'}, 2, std::chrono::seconds(10)));
    const auto seen = keys.Keys({'K'});
    EXPECT_TRUE(seen.back().up) << "the held key was let go";
    EXPECT_FALSE(GetAsyncKeyState('K') & 0x8000);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ExitDuringAMacro,
    testing::Values(ExitWay{"CloseRequest",
                            [](HWND host, DWORD) { PostMessageW(host, WM_CLOSE, 0, 0); }},
                    ExitWay{"TrayExitConfirmed",
                            [](HWND host, DWORD process) {
                                PostMessageW(host, WM_COMMAND, ID_TRAY_EXIT, 0);
                                HWND question = nullptr;
                                ASSERT_TRUE(WaitUntil(
                                    [&] { return (question = FindQuestion(process)) != nullptr; }));
                                PostMessageW(GetDlgItem(question, IDOK), BM_CLICK, 0, 0);
                            }}),
    [](const testing::TestParamInfo<ExitWay>& info) { return std::string(info.param.name); });

} // namespace
