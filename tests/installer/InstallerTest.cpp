// GearhostSetup.exe of this build, run silently in a throwaway Wine prefix (see
// run-installer-tests.sh): what it installs, the store it seeds, and its removal.
#include "framework/Handle.h"
#include "host/resource.h"
#include "host/CTrayIcon.h"
#include "module/actions/BuiltInActions.h"
#include "module/actions/CCustomActionList.h"
#include "module/core/IGamingModule.h"
#include "module/profiles/DefaultProfile.h"
#include "module/profiles/ProfileStore.h"
#include "tests/installer/Installation.h"
#include "tests/installer/RegistryTree.h"
#include "tests/support/TempDir.h"

#include <set>

#include <gtest/gtest.h>

namespace {

using testing_support::Installation;
using testing_support::ProgramDir;
using testing_support::ReadCurrentUserString;
using testing_support::ReadCurrentUserTree;
using testing_support::TreeText;

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::wstring> FileNames(const std::wstring& pattern) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string StoreText() {
    auto tree = ReadCurrentUserTree(Installation::kStorePath);
    return tree ? TreeText(*tree) : std::string("(no store)");
}

// What the module itself stores on its first Save when it started without a store and the
// tick count was tick.
std::string FirstSaveOfTheModule(std::uint32_t tick) {
    auto node = std::make_shared<testing_support::MemoryKeyNode>();
    testing_support::MemoryKeyValueStore root(node, true);
    CCustomActionList actions;
    AddMissingBuiltInActions(actions);
    CProfileList profiles;
    std::wstring currentId;
    AddDefaultProfileIfEmpty(profiles, currentId, tick);
    actions.SaveAll(&root);
    SaveProfiles(&root, profiles, currentId);
    return TreeText(*node);
}

class HostProcess {
public:
    explicit HostProcess(const std::wstring& exe) {
        testing_support::TempDir elsewhere; // the host finds its files from its own folder
        STARTUPINFOW startup = {sizeof(startup)};
        PROCESS_INFORMATION info = {};
        if (CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                           elsewhere.Path().c_str(), &startup, &info)) {
            m_process.reset(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
    ~HostProcess() {
        if (m_process && !Ended())
            TerminateProcess(m_process.get(), 99);
    }
    bool Started() const { return static_cast<bool>(m_process); }
    bool Ended() const { return WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(m_process.get(), &code);
        return code;
    }

private:
    fw::UniqueKernelHandle m_process;
};

// The host's window once it exists, and its notification-area icon once that is shown.
HWND WaitForHostWithIcon() {
    HWND window = nullptr;
    while (!(window = FindWindowW(L"" GEARHOST_WINDOW_CLASS, nullptr)))
        Sleep(20);
    // Changing nothing in an icon succeeds only while the icon is there.
    NOTIFYICONDATAW icon = {sizeof(icon)};
    icon.hWnd = window;
    icon.uID = CTrayIcon::kIconId;
    while (!Shell_NotifyIconW(NIM_MODIFY, &icon))
        Sleep(20);
    return window;
}

class Installer : public testing::Test {
protected:
    Installation m_installation;

    // Each test starts as a user who never installed: no store, no installation.
    void SetUp() override {
        if (Exists(m_installation.File(L"Uninstall.exe")))
            m_installation.Uninstall(L"/REMOVEPROFILES");
        RegDeleteTreeW(HKEY_CURRENT_USER, Installation::kStoreParentPath);
        RegDeleteKeyW(HKEY_CURRENT_USER, Installation::kStoreParentPath);
        ASSERT_FALSE(Exists(m_installation.Dir()));
    }
};

TEST_F(Installer, InstallsSeedsTheStoreAndUninstallsARunningHostKeepingTheStore) {
    ASSERT_EQ(m_installation.Install(), std::optional<DWORD>(0));

    for (const wchar_t* file : {L"Gearhost.exe", L"vireo.dll", L"module.ini", L"Uninstall.exe"})
        EXPECT_TRUE(Exists(m_installation.File(file))) << file;
    const std::wstring built = ProgramDir(); // the build places the programs beside the tests
    for (const wchar_t* files : {L"\\res\\*.bmp", L"\\Language\\*.ini"}) {
        EXPECT_FALSE(FileNames(built + files).empty()) << files;
        EXPECT_EQ(FileNames(m_installation.Dir() + files), FileNames(built + files)) << files;
    }
    EXPECT_TRUE(Exists(m_installation.StartMenuLink()));
    const std::wstring exe = m_installation.File(L"Gearhost.exe");
    EXPECT_EQ(ReadCurrentUserString(Installation::kRunPath, L"Gearhost"), L"\"" + exe + L"\"");
    EXPECT_EQ(ReadCurrentUserString(Installation::kUninstallPath, L"DisplayName"), L"Gearhost");

    // The seed is the module's own first Save, made at the tick its profile ID tells.
    const auto storedId = ReadCurrentUserString(
        std::wstring(Installation::kStorePath) + L"\\Profiles", L"CurrentProfileID");
    ASSERT_TRUE(storedId);
    ASSERT_EQ(storedId->rfind(L"ID_PROFILE_", 0), 0u) << *storedId;
    const auto tick = static_cast<std::uint32_t>(std::stoll(storedId->substr(11)));
    const std::string seeded = StoreText();
    EXPECT_EQ(seeded, FirstSaveOfTheModule(tick));

    // The installed module loads it: the stored profile and the five built-in actions.
    {
        fw::UniqueLibrary library(LoadLibraryW(m_installation.File(L"vireo.dll").c_str()));
        ASSERT_TRUE(library);
        auto factory = reinterpret_cast<GamingModuleFactory>(
            reinterpret_cast<void*>(GetProcAddress(library.get(), kGamingModuleFactoryName)));
        ASSERT_NE(factory, nullptr);
        IGamingModule* module = factory();
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(module->GetProfileCount(), 1);
        wchar_t id[260] = {};
        wchar_t name[260] = {};
        EXPECT_EQ(module->GetProfileAt(0, id, 260, name, 260), 0);
        EXPECT_EQ(id, *storedId);
        EXPECT_STREQ(name, L"Default Profile");
        module->Release();
    }
    auto store = platform::OpenCurrentUserStore()->OpenKey(Installation::kStorePath);
    ASSERT_TRUE(store);
    CCustomActionList actions;
    actions.LoadAll(store.get(), 0);
    ASSERT_EQ(actions.Count(), kBuiltInActions.size());
    for (std::size_t i = 0; i < kBuiltInActions.size(); ++i) {
        EXPECT_EQ(actions.At(i)->m_nameId, kBuiltInActions[i].nameId);
        EXPECT_EQ(actions.At(i)->Kind(), kBuiltInActions[i].kind);
    }
    store.reset();

    HostProcess host(exe);
    ASSERT_TRUE(host.Started());
    WaitForHostWithIcon();

    ASSERT_EQ(m_installation.Uninstall(), std::optional<DWORD>(0));
    EXPECT_TRUE(host.Ended()) << "the uninstaller waits for the host to end";
    EXPECT_EQ(host.ExitCode(), 0u) << "ended by its close request";
    EXPECT_FALSE(Exists(m_installation.Dir()));
    EXPECT_FALSE(Exists(m_installation.StartMenuLink()));
    EXPECT_EQ(ReadCurrentUserString(Installation::kRunPath, L"Gearhost"), std::nullopt);
    EXPECT_EQ(ReadCurrentUserTree(Installation::kUninstallPath), nullptr);
    EXPECT_EQ(StoreText(), seeded) << "the user's profiles stay";
}

TEST_F(Installer, InstallingOverARunningInstallationKeepsTheUsersStoreAndLanguage) {
    {
        auto root = platform::OpenCurrentUserStore()->CreateKey(Installation::kStorePath);
        ASSERT_TRUE(root);
        CCustomActionList actions;
        AddMissingBuiltInActions(actions);
        const std::wstring macro = actions.CreateAction(6, 1234);
        CProfileList profiles;
        profiles.Append(CProfileVireo::MakeStandard(L"ID_PROFILE_7", L"Office"));
        CProfileVireo games = CProfileVireo::MakeStandard(L"ID_PROFILE_8", L"Games");
        games.m_buttonAction[3] = macro;
        profiles.Append(games);
        actions.SaveAll(root.get());
        SaveProfiles(root.get(), profiles, L"ID_PROFILE_8");
    }
    const std::string users = StoreText();

    ASSERT_EQ(m_installation.Install(L"/NOAUTOSTART"), std::optional<DWORD>(0));
    EXPECT_EQ(StoreText(), users);
    EXPECT_EQ(ReadCurrentUserString(Installation::kRunPath, L"Gearhost"), std::nullopt);

    // The user picks another language in each program; a newer installation keeps it.
    const auto languageFiles = FileNames(m_installation.Dir() + L"\\Language\\*.ini");
    ASSERT_FALSE(languageFiles.empty());
    for (const std::wstring& file : languageFiles) {
        EXPECT_TRUE(
            WritePrivateProfileStringW(L"Language", L"Default", L"Deutsch",
                                       (m_installation.Dir() + L"\\Language\\" + file).c_str()));
    }
    HostProcess host(m_installation.File(L"Gearhost.exe"));
    ASSERT_TRUE(host.Started());
    WaitForHostWithIcon();
    ASSERT_EQ(m_installation.Install(), std::optional<DWORD>(0));
    EXPECT_TRUE(host.Ended()) << "the running host ends before its files are replaced";
    EXPECT_EQ(host.ExitCode(), 0u);
    EXPECT_EQ(StoreText(), users);
    for (const std::wstring& file : languageFiles) {
        wchar_t chosen[64] = {};
        GetPrivateProfileStringW(L"Language", L"Default", L"", chosen, 64,
                                 (m_installation.Dir() + L"\\Language\\" + file).c_str());
        EXPECT_STREQ(chosen, L"Deutsch") << file;
    }

    ASSERT_EQ(m_installation.Uninstall(L"/REMOVEPROFILES"), std::optional<DWORD>(0));
    EXPECT_FALSE(Exists(m_installation.Dir()));
    EXPECT_EQ(ReadCurrentUserTree(Installation::kStoreParentPath), nullptr)
        << "asked to, the uninstaller removes the profiles";
}

} // namespace
