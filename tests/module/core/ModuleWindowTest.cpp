// The module window as the host holds it: vireo.dll loaded by path, its window a child of a
// host window, driven through its controls and read back from the windows and the store.
#include "framework/CWnd.h"
#include "module/core/CDlgMain.h"
#include "module/core/IGamingModule.h"
#include "module/actions/BuiltInActions.h"
#include "module/actions/CCustomActionList.h"
#include "module/pages/InfoPagesResource.h"
#include "module/pages/resource.h"
#include "tests/platform/KeyboardHookRecorder.h"
#include "module/exchange/CProfileImport.h"
#include "module/profiles/ProfileStore.h"
#include "tests/platform/StoreUnderTest.h"
#include "tests/platform/CurrentUserKeyGuard.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <chrono>
#include <functional>

namespace {

const wchar_t kStorePath[] = L"SOFTWARE\\Ardent,Inc.\\vireo";

class ModuleWindow : public testing::Test {
public:
    testing_support::CurrentUserKeyGuard m_storeGuard{kStorePath};
    HMODULE m_library = nullptr;
    HWND m_host = nullptr;
    CWnd m_hostWnd;
    IGamingModule* m_module = nullptr;
    CDlgMain* m_window = nullptr;

    // Runs before the library starts (and reads the store).
    virtual void Seed() {}

    void SetUp() override {
        Seed();
        m_library = LoadLibraryW((testing_support::ProgramDir() + L"\\vireo.dll").c_str());
        ASSERT_NE(m_library, nullptr);
        auto factory = reinterpret_cast<GamingModuleFactory>(
            reinterpret_cast<void*>(GetProcAddress(m_library, kGamingModuleFactoryName)));
        ASSERT_NE(factory, nullptr);
        m_host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 1060, 660,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_host, nullptr);
        m_hostWnd.Attach(m_host);
        m_module = factory();
        ASSERT_NE(m_module, nullptr);
        ASSERT_TRUE(m_module->Create(&m_hostWnd));
        m_window = static_cast<CDlgMain*>(m_module->GetWindow());
        ::SetWindowPos(Hwnd(), nullptr, 187, 48, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    void TearDown() override {
        if (m_module)
            m_module->Release();
        if (m_host) {
            m_hostWnd.Detach();
            DestroyWindow(m_host);
        }
        if (m_library) {
            FreeLibrary(m_library);
            // The next test starts the library afresh, on its own store.
            EXPECT_EQ(GetModuleHandleW(L"vireo.dll"), nullptr) << "vireo.dll stays loaded";
        }
    }

    HWND Hwnd() const { return m_window->GetSafeHwnd(); }
    HWND Item(int id) const { return GetDlgItem(Hwnd(), id); }
    std::wstring TextOf(int id) const {
        wchar_t text[260] = {};
        GetWindowTextW(Item(id), text, 260);
        return text;
    }
    void Click(int id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        testing_support::PumpWaitingMessages();
    }
    void ClickIn(HWND page, int id) {
        SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
        testing_support::PumpWaitingMessages();
    }
    CPageButtons& Buttons() { return m_window->m_pageButtons; }
    void Release() {
        m_module->Release();
        m_module = nullptr;
    }
};

TEST_F(ModuleWindow, ShowsItsTabsAndButtonsWithTheirBuiltInCaptions) {
    const struct {
        int id;
        const wchar_t* caption;
    } cases[] = {{IDC_RADIO_PAGE1, L"BUTTONS"},    {IDC_RADIO_PAGE2, L"SETTINGS"},
                 {IDC_RADIO_PAGE3, L"STATISTICS"}, {IDC_BTN_SAVE, L"Save"},
                 {IDC_BTN_RESTORE, L"Restore"},    {IDC_BTN_EXPORT, L"Export\u2026"},
                 {IDC_BTN_IMPORT, L"Import\u2026"}};
    for (const auto& c : cases)
        EXPECT_EQ(TextOf(c.id), c.caption) << c.id;
    EXPECT_EQ(m_window->m_curPage, 0);
    EXPECT_EQ(m_window->GetCurImage(), 0);
}

TEST_F(ModuleWindow, ATabShowsItsPageAloneAndItsBackgroundAndTheShownTabChangesNothing) {
    const HWND settings = m_window->m_pageSettings.GetSafeHwnd();
    const HWND statistics = m_window->m_pageStatistics.GetSafeHwnd();
    ASSERT_TRUE(settings && statistics);
    const int tabs[] = {IDC_RADIO_PAGE2, IDC_RADIO_PAGE2, IDC_RADIO_PAGE3, IDC_RADIO_PAGE1};
    const int expected[] = {1, 1, 2, 0};
    for (int i = 0; i < 4; ++i) {
        Click(tabs[i]);
        EXPECT_EQ(m_window->m_curPage, expected[i]) << "click " << i;
        EXPECT_EQ(m_window->GetCurImage(), expected[i]) << "click " << i;
        EXPECT_EQ(IsWindowVisible(settings) != FALSE, expected[i] == 1) << "click " << i;
        EXPECT_EQ(IsWindowVisible(statistics) != FALSE, expected[i] == 2) << "click " << i;
    }
}

TEST_F(ModuleWindow, EnterAndEscapeNeverHideIt) {
    SendMessageW(Hwnd(), WM_COMMAND, IDOK, 0);
    SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0);
    testing_support::PumpWaitingMessages();
    EXPECT_TRUE(IsWindow(Hwnd()));
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
}

TEST_F(ModuleWindow, SaveWritesTheStoreWhateverTheMouseChannel) {
    Click(IDC_BTN_SAVE);
    auto user = platform::OpenCurrentUserStore();
    ASSERT_TRUE(user);
    CProfileList profiles;
    std::wstring current;
    LoadProfiles(user->OpenKey(kStorePath).get(), profiles, current, 0);
    ASSERT_EQ(profiles.Count(), 1u);
    EXPECT_EQ(current, m_module->GetCurrentProfileID());
    EXPECT_TRUE(user->OpenKey(std::wstring(kStorePath) + L"\\CustomActions"));
}

// Two stored profiles with their own CPI level and report rate.
class ModuleWindowWithProfiles : public ModuleWindow {
protected:
    void Seed() override {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        CProfileList profiles;
        CProfileVireo office = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office");
        office.m_cpi1 = 1;
        office.m_reportRate = 3;
        CProfileVireo games = CProfileVireo::MakeStandard(L"ID_PROFILE_2", L"Games");
        games.m_cpi1 = 3;
        games.m_reportRate = 0;
        profiles.Append(office);
        profiles.Append(games);
        SaveProfiles(user->CreateKey(kStorePath).get(), profiles, L"ID_PROFILE_1");
    }
    int SliderPos(int id) const {
        return static_cast<int>(
            SendMessageW(GetDlgItem(m_window->m_pageSettings.GetSafeHwnd(), id), TBM_GETPOS, 0, 0));
    }
    void MoveSlider(int id, int pos) {
        SendMessageW(GetDlgItem(m_window->m_pageSettings.GetSafeHwnd(), id), TBM_SETPOS, TRUE, pos);
    }
    CProfileVireo StoredProfile(const wchar_t* id) const {
        auto user = platform::OpenCurrentUserStore();
        CProfileList profiles;
        std::wstring current;
        LoadProfiles(user->OpenKey(kStorePath).get(), profiles, current, 0);
        const CProfileVireo* profile = profiles.FindProfile(id);
        return profile ? *profile : CProfileVireo::MakeStandard(L"", L"missing");
    }
};

TEST_F(ModuleWindowWithProfiles, EachSelectedProfileShowsItsOwnSettings) {
    const struct {
        const wchar_t* id;
        int cpi;
        int rate;
    } cases[] = {{L"ID_PROFILE_2", 3, 0}, {L"ID_PROFILE_1", 1, 3}};
    for (const auto& c : cases) {
        m_module->SelectProfile(c.id);
        EXPECT_EQ(SliderPos(IDC_SLIDER_CPI), c.cpi);
        EXPECT_EQ(SliderPos(IDC_SLIDER_REPORT_RATE), c.rate);
        EXPECT_TRUE(IsWindowEnabled(m_window->m_pageSettings.GetSafeHwnd()));
    }
}

TEST_F(ModuleWindowWithProfiles, AnUnknownProfileShowsEmptyDisabledPages) {
    m_module->SelectProfile(L"ID_PROFILE_2");
    m_module->SelectProfile(L"ID_PROFILE_GONE");
    EXPECT_STREQ(m_module->GetCurrentProfileID(), L"ID_PROFILE_GONE");
    EXPECT_EQ(SliderPos(IDC_SLIDER_CPI), 0) << "not the previous profile's 3";
    EXPECT_FALSE(IsWindowEnabled(m_window->m_pageSettings.GetSafeHwnd()));
    EXPECT_FALSE(IsWindowEnabled(m_window->m_pageStatistics.GetSafeHwnd()));
    m_module->SelectProfile(L"ID_PROFILE_2");
    EXPECT_TRUE(IsWindowEnabled(m_window->m_pageSettings.GetSafeHwnd()));
}

TEST_F(ModuleWindowWithProfiles, SaveStoresTheSlidersAndRestoreDropsUnsavedMoves) {
    m_module->SelectProfile(L"ID_PROFILE_2");
    MoveSlider(IDC_SLIDER_CPI, 2);
    MoveSlider(IDC_SLIDER_REPORT_RATE, 1);
    Click(IDC_BTN_SAVE);
    EXPECT_EQ(StoredProfile(L"ID_PROFILE_2").m_cpi1, 2);
    EXPECT_EQ(StoredProfile(L"ID_PROFILE_2").m_reportRate, 1);
    EXPECT_EQ(StoredProfile(L"ID_PROFILE_1").m_cpi1, 1) << "the other profile untouched";

    MoveSlider(IDC_SLIDER_CPI, 0);
    Click(IDC_BTN_RESTORE);
    EXPECT_EQ(SliderPos(IDC_SLIDER_CPI), 2);
    EXPECT_EQ(StoredProfile(L"ID_PROFILE_2").m_cpi1, 2);
}

void SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

// A keypress macro on button 1 and a text macro on button 2.
class ModuleWindowWithActions : public ModuleWindow {
protected:
    static constexpr const wchar_t* kMacroId = L"ID_ACTION_7";
    static constexpr const wchar_t* kTextId = L"ID_ACTION_8";

    void Seed() override {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        auto root = user->CreateKey(kStorePath);
        CCustomActionList actions;
        AddMissingBuiltInActions(actions);
        CCustomAction macro(kMacroId);
        macro.m_name = L"Combo";
        macro.SetKind(CCustomAction::kKeypressMacro);
        actions.AppendAction(macro);
        CCustomAction text(kTextId);
        text.m_name = L"Greeting";
        text.SetKind(CCustomAction::kTextMacro);
        text.m_copyString.m_string = L"hello";
        actions.AppendAction(text);
        actions.SaveAll(root.get());
        CProfileList profiles;
        CProfileVireo profile = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Games");
        profile.m_buttonAction[0] = kMacroId;
        profile.m_buttonAction[1] = kTextId;
        profiles.Append(profile);
        SaveProfiles(root.get(), profiles, L"ID_PROFILE_1");
    }
    HWND TextField() const {
        return m_window->m_pageButtons.m_pageCopyString.m_editText.GetSafeHwnd();
    }
    std::wstring StoredText() const {
        auto user = platform::OpenCurrentUserStore();
        CCustomActionList actions;
        actions.LoadAll(user->OpenKey(kStorePath).get(), 0);
        const CCustomAction* text = actions.Find(kTextId);
        return text ? text->m_copyString.m_string : L"(missing)";
    }
    // As typing does: a multi-line field tells its changes for typed text, not for a new text.
    void Type(const wchar_t* text) {
        SendMessageW(TextField(), EM_SETSEL, 0, -1);
        SendMessageW(TextField(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    // Button 2's hot spot brings its text macro into the editor.
    void EditButton2() { ClickIn(Buttons().GetSafeHwnd(), IDC_HOTSPOT_BUTTON2); }
};

TEST_F(ModuleWindowWithActions, RestoreDropsAnEditedTextAndSaveStoresIt) {
    EditButton2();
    ASSERT_TRUE(IsWindowVisible(TextField()));
    Type(L"edited");
    Click(IDC_BTN_RESTORE);
    EditButton2();
    wchar_t shown[64] = {};
    GetWindowTextW(TextField(), shown, 64);
    EXPECT_STREQ(shown, L"hello");
    EXPECT_EQ(StoredText(), L"hello");

    Type(L"line one\r\nline two");
    Click(IDC_BTN_SAVE);
    EXPECT_EQ(StoredText(), L"line one\r\nline two");
}

TEST_F(ModuleWindowWithActions, RestoreKeepsTheBuiltInActionsAStoreLacks) {
    ASSERT_EQ(
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kStorePath) + L"\\CustomActions").c_str()),
        ERROR_SUCCESS);
    Click(IDC_BTN_RESTORE);
    Click(IDC_BTN_SAVE);
    auto user = platform::OpenCurrentUserStore();
    CCustomActionList actions;
    actions.LoadAll(user->OpenKey(kStorePath).get(), 0);
    for (const BuiltInAction& builtIn : kBuiltInActions)
        EXPECT_NE(actions.Find(builtIn.nameId), nullptr) << builtIn.nameId;
}

struct WindowGoes {
    const char* name;
    std::function<void(ModuleWindowWithActions&)> act;
};
void PrintTo(const WindowGoes& c, std::ostream* os) {
    *os << c.name;
}
class RecordingInTheModuleWindow : public ModuleWindowWithActions,
                                   public testing::WithParamInterface<WindowGoes> {
    friend struct WindowGoes;
};

TEST_P(RecordingInTheModuleWindow, EndsAndKeysReachOtherWindowsAgain) {
    KeyboardHookRecorder outside; // installed first: the recording's hook comes before it
    ASSERT_TRUE(outside.Installed());
    const HWND keypress = Buttons().m_pageKeypress.GetSafeHwnd();
    ASSERT_TRUE(IsWindowVisible(keypress));
    ClickIn(keypress, IDC_BTN_RECORD);
    SendKey('N', false);
    SendKey('N', true);
    // A pressed row and a released row (no delays are recorded by default).
    ASSERT_TRUE(testing_support::PumpMessagesUntil(
        [&] { return Buttons().m_pageKeypress.m_listMacro.GetCount() == 2; }));
    EXPECT_TRUE(outside.Keys({'N'}).empty()) << "recorded keys reach nobody else";

    GetParam().act(*this);
    SendKey('N', false);
    SendKey('N', true);
    EXPECT_TRUE(outside.WaitForKeys({'N'}, 2, std::chrono::seconds(10)));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, RecordingInTheModuleWindow,
    testing::Values(WindowGoes{"TabSwitched", [](auto& t) { t.Click(IDC_RADIO_PAGE2); }},
                    WindowGoes{"ModuleWindowHidden",
                               [](auto& t) { ShowWindow(t.Hwnd(), SW_HIDE); }},
                    WindowGoes{"HostWindowHidden", [](auto& t) { ShowWindow(t.m_host, SW_HIDE); }},
                    WindowGoes{"Restored", [](auto& t) { t.Click(IDC_BTN_RESTORE); }},
                    WindowGoes{"Released", [](auto& t) { t.Release(); }}),
    [](const testing::TestParamInfo<WindowGoes>& info) { return std::string(info.param.name); });

// The file dialogs of Export… and Import…, answered from a timer that fires inside their loop.
struct FileDialogScript {
    HWND host = nullptr;
    std::wstring path;
    // The kind of file chosen (1: the first of the list); 0 leaves the dialog's own.
    int filterIndex = 0;
    bool answered = false;
};
FileDialogScript* g_fileDialog = nullptr;

BOOL CALLBACK AnswerFileDialog(HWND hwnd, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (hwnd == g_fileDialog->host || wcscmp(name, L"#32770") != 0 || !IsWindowVisible(hwnd))
        return TRUE;
    g_fileDialog->answered = true;
    if (g_fileDialog->filterIndex > 0) {
        HWND types = GetDlgItem(hwnd, cmb1);
        SendMessageW(types, CB_SETCURSEL, g_fileDialog->filterIndex - 1, 0);
        // What a choice with the mouse tells the dialog.
        for (WORD notification : {CBN_SELENDOK, CBN_SELCHANGE})
            SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(cmb1, notification),
                         reinterpret_cast<LPARAM>(types));
    }
    HWND field = GetDlgItem(hwnd, cmb13);
    if (!field)
        field = GetDlgItem(hwnd, edt1);
    SetWindowTextW(field, g_fileDialog->path.c_str());
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDOK)));
    return FALSE;
}

void CALLBACK LookForFileDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    if (g_fileDialog->answered)
        return;
    EnumThreadWindows(GetCurrentThreadId(), &AnswerFileDialog, 0);
    if (g_fileDialog->answered)
        KillTimer(nullptr, timer);
}

// Two profiles; the second's button 3 starts a program.
class ModuleWindowExchange : public ModuleWindowWithActions {
protected:
    static constexpr const wchar_t* kLaunchId = L"ID_ACTION_9";
    testing_support::TempDir m_files;

    void Seed() override {
        ModuleWindowWithActions::Seed();
        auto root = platform::OpenCurrentUserStore()->CreateKey(kStorePath);
        CCustomActionList actions;
        actions.LoadAll(root.get(), 0);
        CCustomAction launch(kLaunchId);
        launch.m_name = L"Editor";
        launch.SetKind(CCustomAction::kLaunchApplication);
        launch.m_launchApp.m_filePath = L"C:\\Program Files\\Éditeur\\edit.exe";
        actions.AppendAction(launch);
        actions.SaveAll(root.get());
        CProfileList profiles;
        std::wstring current;
        LoadProfiles(root.get(), profiles, current, 0);
        CProfileVireo office = CProfileVireo::MakeStandard(L"ID_PROFILE_2", L"Office");
        office.m_buttonAction[3] = kLaunchId;
        profiles.Append(office);
        SaveProfiles(root.get(), profiles, current);
    }

    // Clicks the button and answers its file dialog with path.
    void ClickWithFile(int id, const std::wstring& path, int filterIndex = 0) {
        FileDialogScript script;
        script.host = m_host;
        script.path = path;
        script.filterIndex = filterIndex;
        g_fileDialog = &script;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookForFileDialog);
        Click(id);
        KillTimer(nullptr, timer);
        g_fileDialog = nullptr;
        ASSERT_TRUE(script.answered);
    }
    testing_support::StoreSnapshot Stored() const {
        return testing_support::CurrentUserSnapshot(kStorePath);
    }
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    bool QuestionShown() const {
        return Visible(IDC_STATIC_LAUNCH_LIST) && Visible(IDC_BTN_IMPORT_CONFIRM) &&
               Visible(IDC_BTN_IMPORT_CANCEL) &&
               !IsWindowVisible(m_window->m_pageButtons.GetSafeHwnd());
    }
    bool QuestionHidden() const {
        return !Visible(IDC_STATIC_LAUNCH_LIST) && !Visible(IDC_BTN_IMPORT_CONFIRM) &&
               !Visible(IDC_BTN_IMPORT_CANCEL) &&
               IsWindowVisible(m_window->m_pageButtons.GetSafeHwnd());
    }
    std::size_t ProfilesInFile(const std::wstring& name) const {
        CProfileImport import;
        return import.Read(m_files.Read(name)) ? import.ProfileCount() : 0;
    }
};

TEST_F(ModuleWindowExchange, ExportWritesTheSelectedProfileOrAllOfThem) {
    ClickWithFile(IDC_BTN_EXPORT, m_files.File(L"one.json"));
    EXPECT_EQ(ProfilesInFile(L"one.json"), 1u) << "the selected profile by default";
    EXPECT_EQ(TextOf(IDC_STATIC_EXCHANGE), L"Profiles exported: 1");
    ClickWithFile(IDC_BTN_EXPORT, m_files.File(L"all.json"), 2);
    EXPECT_EQ(ProfilesInFile(L"all.json"), 2u);
    EXPECT_EQ(TextOf(IDC_STATIC_EXCHANGE), L"Profiles exported: 2");
}

TEST_F(ModuleWindowExchange, LaunchesAreShownAndNothingIsAddedUntilConfirmed) {
    ClickWithFile(IDC_BTN_EXPORT, m_files.File(L"all.json"), 2);
    const auto before = Stored();

    ClickWithFile(IDC_BTN_IMPORT, m_files.File(L"all.json"));
    EXPECT_TRUE(QuestionShown());
    EXPECT_NE(TextOf(IDC_STATIC_LAUNCH_LIST).find(L"C:\\Program Files\\Éditeur\\edit.exe"),
              std::wstring::npos);
    EXPECT_EQ(m_module->GetProfileCount(), 2);
    EXPECT_EQ(Stored(), before);

    // Cancel, and a tab chosen meanwhile, drop the question; nothing is added.
    Click(IDC_BTN_IMPORT_CANCEL);
    EXPECT_TRUE(QuestionHidden());
    EXPECT_EQ(TextOf(IDC_STATIC_EXCHANGE), L"Import cancelled: nothing was added.");
    ClickWithFile(IDC_BTN_IMPORT, m_files.File(L"all.json"));
    Click(IDC_RADIO_PAGE2);
    EXPECT_FALSE(Visible(IDC_BTN_IMPORT_CONFIRM));
    EXPECT_TRUE(IsWindowVisible(m_window->m_pageSettings.GetSafeHwnd()));
    Click(IDC_RADIO_PAGE1);
    EXPECT_EQ(m_module->GetProfileCount(), 2);
    EXPECT_EQ(Stored(), before);

    ClickWithFile(IDC_BTN_IMPORT, m_files.File(L"all.json"));
    Click(IDC_BTN_IMPORT_CONFIRM);
    EXPECT_TRUE(QuestionHidden());
    EXPECT_EQ(TextOf(IDC_STATIC_EXCHANGE), L"Profiles imported: 2");
    // Saved: the store holds the copies, and the actions were reused, not doubled.
    auto user = platform::OpenCurrentUserStore();
    CProfileList profiles;
    std::wstring current;
    LoadProfiles(user->OpenKey(kStorePath).get(), profiles, current, 0);
    CCustomActionList actions;
    actions.LoadAll(user->OpenKey(kStorePath).get(), 0);
    ASSERT_EQ(profiles.Count(), 4u);
    EXPECT_EQ(profiles.At(2)->m_name, L"Games (2)");
    EXPECT_EQ(profiles.At(3)->m_name, L"Office (2)");
    EXPECT_EQ(profiles.At(3)->m_buttonAction[3], kLaunchId);
    EXPECT_EQ(actions.Count(), kBuiltInActions.size() + 3);
}

TEST_F(ModuleWindowExchange, RefusedFilesAreToldInTheWindowAndLeaveTheStoreAlone) {
    const struct {
        const char* what;
        std::string content;
        const wchar_t* message;
    } cases[] = {
        {"damaged", "{\"format\": \"vireo-profiles\", \"version\": 1, \"profiles\": [",
         L"Not imported: the file is damaged."},
        {"other version", R"({"format": "vireo-profiles", "version": 2})",
         L"Not imported: the file is of another version (2)."},
        {"unknown key",
         R"({"format": "vireo-profiles", "version": 1, "profiles": [], "actions": [], "x": 1})",
         L"Not imported: the file holds an unknown entry (x)."},
        {"not a profile file", "[]", L"Not imported: this is not a profile file."},
        {"too large", std::string(16 * 1024 * 1024 + 1, ' '),
         L"Not imported: the file is larger than 16 MB."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_files.Write(L"refused.json", c.content);
        const auto before = Stored();
        ClickWithFile(IDC_BTN_IMPORT, m_files.File(L"refused.json"));
        EXPECT_EQ(TextOf(IDC_STATIC_EXCHANGE), c.message);
        EXPECT_TRUE(QuestionHidden());
        EXPECT_EQ(m_module->GetProfileCount(), 2);
        EXPECT_EQ(Stored(), before);
    }
}

} // namespace
