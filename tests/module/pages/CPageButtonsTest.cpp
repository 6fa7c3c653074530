// The button page with its three editor pages on a real top-level window: button
// assignments, the custom action commands, the editors, recording through the real hook and
// the real file-open dialog.
#include "module/actions/BuiltInActions.h"
#include "module/actions/CMacroKeyHook.h"
#include "module/pages/CPageButtons.h"
#include "module/pages/resource.h"
#include "tests/platform/KeyboardHookRecorder.h"
#include "tests/skin/ControlPictures.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <array>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace skin_test;
using testing_support::PumpMessagesUntil;
using testing_support::PumpWaitingMessages;

constexpr UINT kHostTemplate = 660;

class FixedTicks : public platform::ITickSource {
public:
    std::uint32_t Milliseconds() const override { return 4242; }
};

WORD ScanOf(WORD vk) {
    return static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
}

void SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = ScanOf(vk);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

MacroStep Step(WORD vk, bool up) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.wScan = ScanOf(vk);
    step.dwFlags = up ? MacroStep::kKeyUp : 0;
    return step;
}

class ButtonPage : public testing::Test {
public:
    // In place before any recording hook: it sees only the keys that reach other programs.
    KeyboardHookRecorder m_outside;
    fw::GdiplusSession m_gdiplus;
    SkinResFolder m_res;
    CProfileList m_profiles;
    std::wstring m_currentProfileId = L"ID_PROFILE_1";
    CCustomActionList m_actions;
    FixedTicks m_ticks;
    CDialog m_host{kHostTemplate};
    std::unique_ptr<CPageButtons> m_page;
    std::wstring m_alpha;
    std::wstring m_beta;
    std::wstring m_text;
    std::wstring m_launch;

    void SetUp() override {
        WriteControlPictures(m_res);
        CMultiLanguage::s_texts.clear();
        AddMissingBuiltInActions(m_actions);
        m_alpha = AddAction(L"Alpha", CCustomAction::kKeypressMacro, 1);
        m_actions.Find(m_alpha)->m_macro.m_steps = {Step('A', false), Step('A', true)};
        m_beta = AddAction(L"Beta", CCustomAction::kKeypressMacro, 2);
        m_text = AddAction(L"Text", CCustomAction::kTextMacro, 3);
        m_launch = AddAction(L"Launch", CCustomAction::kLaunchApplication, 4);
        m_profiles.Append(CProfileVireo::MakeStandard(m_currentProfileId, L"Profile"));
        Profile().m_buttonAction[1] = m_alpha;
        Profile().m_buttonAction[3] = m_alpha;
        Profile().m_buttonAction[4] = m_text;

        ASSERT_TRUE(m_host.Create(kHostTemplate));
        m_host.SetWindowPos(nullptr, 20, 20, 820, 560, SWP_NOZORDER);
        m_page = std::make_unique<CPageButtons>(
            ModuleModel{m_profiles, m_currentProfileId, m_actions, m_ticks});
        ASSERT_TRUE(m_page->Create(IDD_PAGE_BUTTONS, &m_host));
        m_page->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_page->ShowWindow(SW_SHOW);
        m_host.ShowWindow(SW_SHOW);
        SetForegroundWindow(m_host.m_hWnd);
        m_page->RefreshFromProfile();
        PumpWaitingMessages();
    }
    void TearDown() override {
        m_page.reset();
        m_host.DestroyWindow();
        CMacroKeyHook::Stop();
        for (WORD vk : {WORD{'A'}, WORD{'B'}, WORD{VK_RETURN}})
            SendKey(vk, true);
        CMultiLanguage::s_texts.clear();
    }

    std::wstring AddAction(const wchar_t* name, std::uint32_t kind, std::uint32_t tick) {
        const std::wstring id = m_actions.CreateAction(kind, tick);
        m_actions.Find(id)->m_name = name;
        return id;
    }
    CProfileVireo& Profile() { return *m_profiles.FindProfile(m_currentProfileId); }
    CPageButtons& Page() { return *m_page; }
    CSkinMacroListBox& List() { return Page().m_pageKeypress.m_listMacro; }

    static void Command(CWnd& page, int id, WORD code) {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, code),
                         reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, id)));
        PumpWaitingMessages();
    }
    void Click(int id) { Command(Page(), id, BN_CLICKED); }
    void ChooseEntry(int button, int entry) {
        Page().m_comboAction[button].SetCurSel(entry);
        Command(Page(), IDC_COMBO_BUTTON1 + button, CBN_SELCHANGE);
    }
    void ChooseAction(int button, const std::wstring& id) {
        CSkinComboBox& combo = Page().m_comboAction[button];
        for (int i = 0; i < combo.GetCount(); ++i)
            if (EntryId(button, i) == id)
                return ChooseEntry(button, i);
        ADD_FAILURE() << "no entry for the action";
    }
    void ChooseKind(int entry) {
        Page().m_comboActionType.SetCurSel(entry);
        Command(Page(), IDC_COMBO_ACTION_TYPE, CBN_SELCHANGE);
    }
    std::wstring EntryId(int button, int entry) {
        const LRESULT data = Page().m_comboAction[button].GetItemData(entry);
        return data && data != CB_ERR ? reinterpret_cast<const wchar_t*>(data) : L"";
    }
    std::vector<std::wstring> Labels(int button) {
        std::vector<std::wstring> labels;
        for (int i = 0; i < Page().m_comboAction[button].GetCount(); ++i)
            labels.push_back(Page().m_comboAction[button].GetLBText(i));
        return labels;
    }
    std::vector<int> Selections() {
        std::vector<int> selected;
        for (const CSkinComboBox& combo : Page().m_comboAction)
            selected.push_back(combo.GetCurSel());
        return selected;
    }
    std::vector<bool> EditorsShown() {
        return {Page().m_pageKeypress.IsWindowVisible() != FALSE,
                Page().m_pageCopyString.IsWindowVisible() != FALSE,
                Page().m_pageLaunchApp.IsWindowVisible() != FALSE};
    }
    bool EditingEnabled() {
        const CWnd* controls[] = {&Page().m_btnDeleteAction, &Page().m_staticName,
                                  &Page().m_editName,        &Page().m_editTip,
                                  &Page().m_staticTip,       &Page().m_staticActionType,
                                  &Page().m_comboActionType};
        int enabled = 0;
        for (const CWnd* control : controls)
            enabled += control->IsWindowEnabled() ? 1 : 0;
        EXPECT_TRUE(enabled == 0 || enabled == 7) << enabled << " of 7 enabled";
        return enabled == 7;
    }
    bool KeyReachesOthers(WORD vk) {
        const std::size_t before = m_outside.Keys({vk}).size();
        SendKey(vk, false);
        SendKey(vk, true);
        return m_outside.WaitForKeys({vk}, before + 2, std::chrono::seconds(10));
    }
    std::wstring RecordCaption() { return Page().m_pageKeypress.m_btnRecord.GetWindowText(); }
    void ClickRecord() { Command(Page().m_pageKeypress, IDC_BTN_RECORD, BN_CLICKED); }
};

TEST_F(ButtonPage, RefreshShowsEachButtonsActionAndEditsTheFirst) {
    EXPECT_EQ(Labels(0),
              (std::vector<std::wstring>{L"Left Button", L"Alpha", L"Beta", L"Text", L"Launch"}));
    EXPECT_EQ(Labels(2)[0], L"Right Button");
    EXPECT_EQ(Selections(), (std::vector<int>{0, 1, 0, 1, 3}));
    EXPECT_EQ(Page().m_currentActionId, L"ACTION_ITEM_LEFT_BUTTON");
    EXPECT_FALSE(EditingEnabled());
    EXPECT_TRUE(Page().m_btnNewAction.IsWindowEnabled());
    EXPECT_EQ(EditorsShown(), (std::vector<bool>{false, false, false}));
}

TEST_F(ButtonPage, AHotSpotBringsItsButtonsActionIntoTheEditor) {
    Click(IDC_HOTSPOT_BUTTON5);
    EXPECT_EQ(Page().m_currentActionId, m_text);
    EXPECT_EQ(EditorsShown(), (std::vector<bool>{false, true, false}));
    Click(IDC_HOTSPOT_BUTTON2);
    EXPECT_EQ(Page().m_currentActionId, m_alpha);
    EXPECT_EQ(EditorsShown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Selections(), (std::vector<int>{0, 1, 0, 1, 3}));
}

TEST_F(ButtonPage, NewActionTakesTheSmallestFreeNumber) {
    for (int i = 0; i < 3; ++i)
        Click(IDC_BTN_NEW_ACTION);
    std::vector<std::wstring> ids;
    for (int entry = 5; entry < 8; ++entry)
        ids.push_back(EntryId(0, entry));
    EXPECT_EQ(Labels(0).back(), L"New Action(3)");
    // Made in one tick, yet each its own identifier.
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(ids[1], ids[2]);

    ChooseAction(0, ids[1]);
    Click(IDC_BTN_DELETE_ACTION);
    Click(IDC_BTN_NEW_ACTION);
    EXPECT_EQ(m_actions.Find(Page().m_currentActionId)->m_name, L"New Action(2)");
    EXPECT_EQ(Labels(4).back(), L"New Action(2)");
}

TEST_F(ButtonPage, NewActionIsLastEverywhereAndShowsAnEmptyKeypressEditor) {
    ChooseAction(0, m_alpha); // the list shows Alpha's steps
    ASSERT_EQ(List().GetCount(), 2);
    const std::vector<int> selected = Selections();
    const std::array<std::wstring, 5> assigned = Profile().m_buttonAction;

    Click(IDC_BTN_NEW_ACTION);
    const CCustomAction* made = m_actions.Find(Page().m_currentActionId);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Kind(), CCustomAction::kKeypressMacro);
    EXPECT_EQ(made->m_descriptionId, made->m_nameId + L"_TIP");
    for (int button = 0; button < CPageButtons::kButtons; ++button) {
        EXPECT_EQ(Labels(button).back(), L"New Action(1)");
        EXPECT_EQ(EntryId(button, static_cast<int>(Labels(button).size()) - 1), made->m_nameId);
    }
    EXPECT_EQ(Selections(), selected);
    EXPECT_EQ(Profile().m_buttonAction, assigned);
    EXPECT_EQ(EditorsShown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_TRUE(EditingEnabled());
    EXPECT_EQ(Page().m_editName.GetWindowText(), L"New Action(1)");
}

TEST_F(ButtonPage, ChoosingAnotherKindSwitchesEditorAndKeepsTheSteps) {
    ChooseAction(0, m_alpha);
    EXPECT_EQ(EditorsShown(), (std::vector<bool>{true, false, false}));
    ChooseKind(1);
    EXPECT_EQ(m_actions.Find(m_alpha)->Kind(), CCustomAction::kTextMacro);
    EXPECT_EQ(EditorsShown(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(m_actions.Find(m_alpha)->m_macro.m_steps.size(), 2u);
    ChooseKind(2);
    EXPECT_EQ(EditorsShown(), (std::vector<bool>{false, false, true}));
    ChooseKind(0);
    EXPECT_EQ(m_actions.Find(m_alpha)->Kind(), CCustomAction::kKeypressMacro);
    EXPECT_EQ(List().GetCount(), 2);
}

TEST_F(ButtonPage, UncheckingAButtonGreysItsControlsAndKeepsItsAction) {
    Page().m_checkButton[3].SetCheck(1);
    Click(IDC_CHECK_BUTTON4);
    EXPECT_EQ(Profile().m_buttonEnable[3], 0u);
    EXPECT_EQ(Profile().m_buttonAction[3], m_alpha);
    EXPECT_FALSE(Page().m_comboAction[3].IsWindowEnabled());
    EXPECT_FALSE(Page().m_hotSpot[3].IsWindowEnabled());
    EXPECT_TRUE(Page().m_comboAction[2].IsWindowEnabled());

    Click(IDC_CHECK_BUTTON4);
    EXPECT_EQ(Profile().m_buttonEnable[3], 1u);
    EXPECT_TRUE(Page().m_comboAction[3].IsWindowEnabled());
    EXPECT_TRUE(Page().m_hotSpot[3].IsWindowEnabled());

    // A refresh shows the stored state.
    Profile().m_buttonEnable[3] = 0;
    Page().RefreshFromProfile();
    EXPECT_EQ(Page().m_checkButton[3].GetChecked(), 0);
    EXPECT_FALSE(Page().m_hotSpot[3].IsWindowEnabled());
}

TEST_F(ButtonPage, ADeletedActionLeavesItsButtonsShowingTheirOwnFunction) {
    ChooseAction(1, m_alpha);
    Click(IDC_BTN_DELETE_ACTION);
    EXPECT_EQ(m_actions.Find(m_alpha), nullptr);
    // Buttons 2 and 4 had it: each shows its built-in entry; button 5 keeps its own.
    EXPECT_EQ(Selections(), (std::vector<int>{0, 0, 0, 0, 2}));
    EXPECT_EQ(Labels(1),
              (std::vector<std::wstring>{L"Middle Button", L"Beta", L"Text", L"Launch"}));
    EXPECT_EQ(Profile().m_buttonAction[1], m_alpha);
    // The last action of the list is edited now.
    EXPECT_EQ(Page().m_currentActionId, m_launch);
    EXPECT_EQ(EditorsShown(), (std::vector<bool>{false, false, true}));

    Page().RefreshFromProfile();
    EXPECT_EQ(Selections(), (std::vector<int>{0, 0, 0, 0, 2}));
}

TEST_F(ButtonPage, ABuiltInEntryDisablesEditingAndHidesTheEditors) {
    struct Case {
        const char* name;
        std::function<void(ButtonPage&)> choose;
        bool editing;
        std::vector<bool> shown;
    } cases[] = {
        {"built-in", [](ButtonPage& t) { t.ChooseEntry(2, 0); }, false, {false, false, false}},
        {"custom", [](ButtonPage& t) { t.ChooseAction(2, t.m_text); }, true, {false, true, false}},
        // The disable posted for the built-in entry comes after the custom one is shown.
        {"built-in then custom at once",
         [](ButtonPage& t) {
             t.Page().m_comboAction[2].SetCurSel(0);
             t.Page().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMBO_BUTTON3, CBN_SELCHANGE),
                                  reinterpret_cast<LPARAM>(t.Page().m_comboAction[2].m_hWnd));
             t.ChooseAction(2, t.m_launch);
         },
         true,
         {false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChooseAction(0, m_alpha);
        c.choose(*this);
        PumpWaitingMessages();
        EXPECT_EQ(EditingEnabled(), c.editing);
        EXPECT_EQ(EditorsShown(), c.shown);
        EXPECT_TRUE(Page().m_btnNewAction.IsWindowEnabled());
    }
}

TEST_F(ButtonPage, TypingANameRelabelsTheActionInEveryCombo) {
    ChooseAction(1, m_beta);
    // Text the page sets itself renames nothing.
    Page().m_editName.SetWindowText(L"Not typed");
    EXPECT_EQ(m_actions.Find(m_beta)->m_name, L"Beta");

    Page().m_editName.SetFocus();
    ASSERT_EQ(::GetFocus(), Page().m_editName.m_hWnd);
    Page().m_editName.SetWindowText(L"Sniper");
    EXPECT_EQ(m_actions.Find(m_beta)->m_name, L"Sniper");
    for (int button = 0; button < CPageButtons::kButtons; ++button) {
        EXPECT_EQ(Labels(button)[2], L"Sniper");
        EXPECT_EQ(EntryId(button, 2), m_beta);
    }
    EXPECT_EQ(Page().m_comboAction[1].GetCurSel(), 2);
    EXPECT_EQ(Page().m_comboAction[0].GetCurSel(), 0);

    Page().m_editName.SetWindowText(L"");
    EXPECT_EQ(m_actions.Find(m_beta)->m_name, L"Sniper");
    EXPECT_EQ(Labels(3)[2], L"Sniper");
}

TEST_F(ButtonPage, TheTipIsTheActionsDescription) {
    ChooseAction(0, m_beta);
    Page().m_editTip.SetWindowText(L"Jump and duck");
    EXPECT_EQ(m_actions.Find(m_beta)->m_description, L"Jump and duck");
}

TEST_F(ButtonPage, TwoTypedLinesAreStoredWithTheirLineBreak) {
    ChooseAction(0, m_text);
    ASSERT_EQ(EditorsShown(), (std::vector<bool>{false, true, false}));
    Page().m_pageCopyString.m_editText.SetFocus();
    for (WORD vk : {WORD{'A'}, WORD{VK_RETURN}, WORD{'B'}}) {
        SendKey(vk, false);
        SendKey(vk, true);
    }
    const std::wstring& stored = m_actions.Find(m_text)->m_copyString.m_string;
    EXPECT_TRUE(PumpMessagesUntil([&] { return stored == L"a\r\nb"; })) << stored.size();
    EXPECT_TRUE(Page().m_pageCopyString.IsWindowVisible());
}

TEST_F(ButtonPage, EditFieldsOfStoredTextsTakeAt259Characters) {
    const CWnd* fields[] = {&Page().m_editName, &Page().m_editTip,
                            &Page().m_pageCopyString.m_editText,
                            &Page().m_pageLaunchApp.m_editPath};
    for (const CWnd* field : fields)
        EXPECT_EQ(field->SendMessage(EM_GETLIMITTEXT), 259);
}

TEST_F(ButtonPage, EnterAndEscapeNeverHideAPage) {
    CWnd* pages[] = {&Page(), &Page().m_pageKeypress, &Page().m_pageCopyString,
                     &Page().m_pageLaunchApp};
    for (CWnd* page : pages) {
        page->ShowWindow(SW_SHOW);
        for (WORD command : {WORD{IDOK}, WORD{IDCANCEL}}) {
            page->SendMessage(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
            EXPECT_TRUE(page->IsWindowVisible()) << page->GetDlgCtrlID() << " " << command;
        }
    }
}

TEST_F(ButtonPage, HoverLightsTheThreeControlsOfOneButton) {
    auto lit = [&] {
        std::vector<int> buttons;
        for (int i = 0; i < CPageButtons::kButtons; ++i) {
            const int count = (Page().m_checkButton[i].GetHover() ? 1 : 0) +
                              (Page().m_comboAction[i].GetHover() ? 1 : 0) +
                              (Page().m_hotSpot[i].GetHover() ? 1 : 0);
            if (count)
                buttons.push_back(i * 10 + count);
        }
        return buttons;
    };
    auto hover = [&](bool enter, HWND control) {
        Page().SendMessage(WM_SKIN_HOVER, enter, reinterpret_cast<LPARAM>(control));
    };
    hover(true, Page().m_hotSpot[2].m_hWnd);
    EXPECT_EQ(lit(), (std::vector<int>{23}));
    hover(true, Page().m_comboAction[4].m_hWnd);
    EXPECT_EQ(lit(), (std::vector<int>{43}));
    hover(true, Page().m_btnNewAction.m_hWnd);
    EXPECT_EQ(lit(), (std::vector<int>{43}));
    hover(false, Page().m_checkButton[4].m_hWnd);
    EXPECT_EQ(lit(), (std::vector<int>{}));
}

TEST_F(ButtonPage, CaptionsComeFromTheLanguageOrTheBuiltInTexts) {
    ChooseAction(0, m_alpha);
    EXPECT_EQ(Page().m_checkButton[0].GetWindowText(), L"BUTTON1");
    EXPECT_EQ(Page().m_comboActionType.GetLBText(2), L"Launch Application");
    EXPECT_EQ(Page().m_pageKeypress.GetDlgItemText(IDC_STATIC_KEY_PRESS), L"Keypress:");

    const std::wstring previous = CMultiLanguage::s_currentLanguage;
    CMultiLanguage::s_currentLanguage = L"Test";
    CMultiLanguage::s_texts = {{L"IDC_CHECK_BUTTON1", L"Knopf 1"},
                               {L"IDC_COMBO_ACTION_TYPE_LAUNCH_APPLICATION", L"Programm"},
                               {L"IDC_STATIC_KEY_PRESS", L"Tasten:"},
                               {L"ACTION_ITEM_LEFT_BUTTON", L"Linke Taste"},
                               {L"IDC_BTN_START_RECORD", L"Aufnehmen"}};
    Page().SelectLanguage(L"Test");
    CMultiLanguage::s_currentLanguage = previous;
    EXPECT_EQ(Page().m_checkButton[0].GetWindowText(), L"Knopf 1");
    EXPECT_EQ(Page().m_comboActionType.GetLBText(2), L"Programm");
    EXPECT_EQ(Page().m_comboActionType.GetCurSel(), 0);
    EXPECT_EQ(Page().m_pageKeypress.GetDlgItemText(IDC_STATIC_KEY_PRESS), L"Tasten:");
    EXPECT_EQ(RecordCaption(), L"Aufnehmen");
    EXPECT_EQ(Labels(0)[0], L"Linke Taste");
    EXPECT_EQ(m_actions.Find(L"ACTION_ITEM_LEFT_BUTTON")->m_name, L"Linke Taste");
    EXPECT_EQ(Page().m_currentActionId, m_alpha);
}

TEST_F(ButtonPage, RecordButtonSaysWhetherItRecords) {
    ChooseAction(0, m_beta);
    EXPECT_EQ(RecordCaption(), L"Record Macro");
    ClickRecord();
    EXPECT_TRUE(CMacroKeyHook::IsInstalled());
    EXPECT_EQ(RecordCaption(), L"Stop Record");
    ClickRecord();
    EXPECT_FALSE(CMacroKeyHook::IsInstalled());
    EXPECT_EQ(RecordCaption(), L"Record Macro");
}

TEST_F(ButtonPage, StopShowsTheStepsAMacroWithAllRowsDeletedKeeps) {
    ChooseAction(0, m_alpha);
    ASSERT_EQ(List().GetCount(), 2);
    List().SetCurSel(0);
    List().DeleteSelected(); // the key with its partner
    ASSERT_EQ(List().GetCount(), 0);
    ClickRecord();
    ClickRecord();
    EXPECT_EQ(m_actions.Find(m_alpha)->m_macro.m_steps.size(), 2u);
    EXPECT_EQ(List().GetCount(), 2);
}

// The windows this thread asked to focus (Wine refuses a hidden one, Windows activates it).
std::vector<HWND> g_focusAsked;

LRESULT CALLBACK WatchFocus(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS)
        g_focusAsked.push_back(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ButtonPage, TakesTheFocusOnlyWhileItsWindowIsVisible) {
    auto askedIntoPage = [&] {
        g_focusAsked.clear();
        HHOOK hook = SetWindowsHookExW(WH_CBT, &WatchFocus, nullptr, GetCurrentThreadId());
        Page().RefreshFromProfile();
        UnhookWindowsHookEx(hook);
        int count = 0;
        for (HWND hwnd : g_focusAsked)
            count += ::IsChild(Page().m_hWnd, hwnd) ? 1 : 0;
        return count;
    };
    m_host.ShowWindow(SW_HIDE);
    EXPECT_EQ(askedIntoPage(), 0);
    m_host.ShowWindow(SW_SHOW);
    EXPECT_GT(askedIntoPage(), 0);
}

struct EndingCase {
    const char* name;
    std::function<void(ButtonPage&)> end;
};

void PrintTo(const EndingCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordingEnds : public ButtonPage, public testing::WithParamInterface<EndingCase> {};

TEST_P(RecordingEnds, IntoTheRecordedActionAndKeysReachOthersAgain) {
    ChooseAction(0, m_alpha);
    ClickRecord();
    ASSERT_TRUE(CMacroKeyHook::IsInstalled());
    SendKey('B', false);
    SendKey('B', true);
    ASSERT_TRUE(PumpMessagesUntil([&] { return List().GetCount() == 4; }));
    ASSERT_TRUE(m_outside.Keys({'B'}).empty());

    GetParam().end(*this);
    EXPECT_FALSE(CMacroKeyHook::IsInstalled());
    EXPECT_EQ(RecordCaption(), L"Record Macro");
    const std::vector<MacroStep>& steps = m_actions.Find(m_alpha)->m_macro.m_steps;
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[2].wVk, 'B');
    EXPECT_TRUE(m_actions.Find(m_beta)->m_macro.m_steps.empty());
    EXPECT_TRUE(KeyReachesOthers('B'));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, RecordingEnds,
    testing::Values(
        EndingCase{"StopRecording", [](ButtonPage& t) { t.Page().StopRecording(); }},
        EndingCase{"ButtonPageHidden", [](ButtonPage& t) { t.Page().ShowWindow(SW_HIDE); }},
        EndingCase{"KeypressPageHiddenByPosition",
                   [](ButtonPage& t) {
                       t.Page().m_pageKeypress.SetWindowPos(nullptr, 0, 0, 0, 0,
                                                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                                                                SWP_HIDEWINDOW);
                   }},
        EndingCase{"HostWindowHidden", [](ButtonPage& t) { t.m_host.ShowWindow(SW_HIDE); }},
        EndingCase{"HostWindowMinimised", [](ButtonPage& t) { t.m_host.ShowWindow(SW_MINIMIZE); }},
        EndingCase{"BuiltInEntryChosen", [](ButtonPage& t) { t.ChooseEntry(0, 0); }},
        EndingCase{"OtherKindChosen", [](ButtonPage& t) { t.ChooseKind(1); }},
        EndingCase{"OtherKeypressActionChosen", [](ButtonPage& t) { t.ChooseAction(0, t.m_beta); }},
        EndingCase{"OtherActionLoaded",
                   [](ButtonPage& t) {
                       t.Page().m_currentActionId = t.m_beta;
                       t.Page().m_pageKeypress.Exchange(false);
                   }}),
    [](const testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

// The file-open dialog, answered from a timer that fires inside its loop.
struct BrowseScript {
    HWND host = nullptr;
    HWND owner = nullptr;
    std::wstring path; // empty: cancel
    std::function<void()> meanwhile;
    bool answered = false;
};
BrowseScript* g_browse = nullptr;

BOOL CALLBACK AnswerFileDialog(HWND hwnd, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (hwnd == g_browse->host || wcscmp(name, L"#32770") != 0 || !IsWindowVisible(hwnd))
        return TRUE;
    g_browse->owner = GetWindow(hwnd, GW_OWNER);
    g_browse->answered = true;
    if (g_browse->meanwhile)
        g_browse->meanwhile();
    if (g_browse->path.empty()) {
        PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        return FALSE;
    }
    // The file name box: a combo box in the explorer style, an edit in the old one.
    HWND field = GetDlgItem(hwnd, cmb13);
    if (!field)
        field = GetDlgItem(hwnd, edt1);
    SetWindowTextW(field, g_browse->path.c_str());
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDOK)));
    return FALSE;
}

void CALLBACK LookForFileDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    if (g_browse->answered)
        return;
    EnumThreadWindows(GetCurrentThreadId(), &AnswerFileDialog, 0);
    if (g_browse->answered)
        KillTimer(nullptr, timer);
}

TEST_F(ButtonPage, BrowseFillsThePathOfTheActionShownWhenPressed) {
    m_res.Write(L"game.exe", "MZ");
    const std::wstring program = m_res.File(L"game.exe");
    struct Case {
        const char* name;
        bool choose;
        std::function<void(ButtonPage&)> meanwhile;
        std::wstring launchPath; // expected afterwards
        bool fieldChanged;
    } cases[] = {
        {"cancel", false, nullptr, L"old.exe", false},
        {"ok", true, nullptr, program, true},
        {"ok after another action was chosen", true,
         [](ButtonPage& t) { t.ChooseAction(0, t.m_alpha); }, program, false},
        {"ok after the action was deleted", true,
         [](ButtonPage& t) { t.Click(IDC_BTN_DELETE_ACTION); }, L"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!m_actions.Find(m_launch))
            m_launch = AddAction(L"Launch", CCustomAction::kLaunchApplication, 99);
        m_actions.Find(m_launch)->m_launchApp.m_filePath = L"old.exe";
        Page().RefreshFromProfile();
        ChooseAction(0, m_launch);
        CPageLaunchApp& editor = Page().m_pageLaunchApp;
        ASSERT_EQ(editor.m_editPath.GetWindowText(), L"old.exe");

        BrowseScript script;
        script.host = m_host.m_hWnd;
        script.path = c.choose ? program : L"";
        if (c.meanwhile)
            script.meanwhile = [&] { c.meanwhile(*this); };
        g_browse = &script;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookForFileDialog);
        Command(editor, IDC_BTN_BROWSE, BN_CLICKED);
        KillTimer(nullptr, timer);
        g_browse = nullptr;

        EXPECT_TRUE(script.answered);
        EXPECT_EQ(script.owner, m_host.m_hWnd);
        const CCustomAction* launch = m_actions.Find(m_launch);
        if (c.launchPath.empty()) {
            EXPECT_EQ(launch, nullptr);
        } else {
            ASSERT_NE(launch, nullptr);
            EXPECT_EQ(_wcsicmp(launch->m_launchApp.m_filePath.c_str(), c.launchPath.c_str()), 0)
                << std::string(launch->m_launchApp.m_filePath.begin(),
                               launch->m_launchApp.m_filePath.end());
        }
        if (c.fieldChanged) {
            const std::wstring shown = editor.m_editPath.GetWindowText();
            EXPECT_EQ(_wcsicmp(shown.c_str(), program.c_str()), 0);
            int start = 0;
            int end = 0;
            editor.m_editPath.GetSel(start, end);
            EXPECT_EQ(start, static_cast<int>(shown.size()));
            EXPECT_EQ(end, static_cast<int>(shown.size()));
        }
        // The other actions are untouched.
        EXPECT_TRUE(m_actions.Find(m_alpha)->m_launchApp.m_filePath.empty());
    }
}

} // namespace
