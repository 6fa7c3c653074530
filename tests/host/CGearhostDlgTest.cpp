// The host window's lists, buttons and language choice, driven as the controls drive it.
#include "module/core/IGamingModule.h"
#include "tests/host/CallRecorder.h"
#include "tests/host/HostWindowFixture.h"

namespace {

using host_test::HostWindowTest;
using host_test::Texts;
using Calls = std::vector<std::wstring>;

const std::wstring kModule = L"testmod_profiles";

std::wstring Call(const std::wstring& what) {
    return kModule + L":" + what;
}

class HostWindow : public HostWindowTest {
protected:
    // The module's mouse is present; what that start called is dropped.
    void StartWithMouse() {
        Start({kModule});
        ArriveMouse();
        ClearRecordedCalls();
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(Dialog(), id)) != FALSE; }
    // Ends an in-place rename of the selected item with text, as the editor's focus loss does.
    void Rename(const wchar_t* text) {
        m_dialog->m_listProfile.BeginEdit();
        ASSERT_TRUE(m_dialog->m_listProfile.IsEditing());
        m_dialog->m_listProfile.m_editor.SetWindowText(text);
        m_dialog->m_listProfile.EndEdit();
        Pump();
    }
    // Where a window is, in the dialog's client coordinates.
    RECT PlaceOf(HWND window) const {
        RECT rect = {};
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
};

TEST_F(HostWindow, IsABorderlessSkinnedWindowWithEveryControlInPlace) {
    Start({kModule});
    const LONG style = GetWindowLongW(Dialog(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), 0);
    EXPECT_NE(GetWindowLongW(Dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    RECT window = {};
    GetWindowRect(Dialog(), &window);
    EXPECT_EQ(window.right - window.left, 1056); // the mask's size
    EXPECT_EQ(window.bottom - window.top, 664);

    struct Place {
        HWND window;
        RECT rect;
    } const places[] = {
        {GetDlgItem(Dialog(), IDC_STATIC_DEVICES), {20, 62, 92, 80}},
        {m_dialog->m_listDevice.GetSafeHwnd(), {21, 88, 168, 262}},
        {GetDlgItem(Dialog(), IDC_STATIC_PROFILES), {20, 278, 92, 296}},
        {m_dialog->m_listProfile.GetSafeHwnd(), {21, 302, 168, 597}},
        {GetDlgItem(Dialog(), IDC_BTN_NEW_PROFILE), {14, 606, 95, 639}},
        {GetDlgItem(Dialog(), IDC_BTN_DELETE_PROFILE), {98, 606, 179, 639}},
        {GetDlgItem(Dialog(), IDC_STATIC_NO_DEVICE), {218, 310, 902, 360}},
        {GetDlgItem(Dialog(), IDC_BTN_MINIMIZE), {989, 7, 1013, 28}},
        {GetDlgItem(Dialog(), IDC_BTN_HIDE), {1019, 7, 1043, 28}},
        {Module(0)->GetWindow()->GetSafeHwnd(), {187, 48, 287, 148}},
    };
    for (const Place& place : places) {
        const RECT actual = PlaceOf(place.window);
        EXPECT_TRUE(EqualRect(&actual, &place.rect))
            << "control " << GetDlgCtrlID(place.window) << " at " << actual.left << ","
            << actual.top << "," << actual.right << "," << actual.bottom;
    }
    // The combo's box: its place and the 26-pixel selection field.
    const RECT combo = PlaceOf(m_dialog->m_cbLanguage.GetSafeHwnd());
    EXPECT_EQ(combo.left, 957);
    EXPECT_EQ(combo.top, 42);
    EXPECT_EQ(combo.right, 957 + 90);
    EXPECT_NE(m_dialog->m_cbLanguage.m_edit.GetStyle() & ES_READONLY, 0u);
    // The language box overlaps the module area and stays in front of the module's window.
    ArriveMouse();
    HWND above = Module(0)->GetWindow()->GetSafeHwnd();
    while (above && above != m_dialog->m_cbLanguage.GetSafeHwnd())
        above = GetWindow(above, GW_HWNDPREV);
    EXPECT_NE(above, nullptr);
    EXPECT_NE(GetWindowLongW(Module(0)->GetWindow()->GetSafeHwnd(), GWL_STYLE) & WS_CLIPSIBLINGS,
              0);
    // The lists are in their skinned frames.
    EXPECT_NE(m_dialog->m_listDevice.m_pScrollFrame, nullptr);
    EXPECT_NE(m_dialog->m_listProfile.m_pScrollFrame, nullptr);
}

TEST_F(HostWindow, StartWithOneMouseListsItsProfilesAndSelectsTheCurrentOnce) {
    Start({kModule});
    EXPECT_FALSE(Enabled(IDC_BTN_NEW_PROFILE));
    EXPECT_FALSE(Enabled(IDC_BTN_DELETE_PROFILE));
    ArriveMouse();
    EXPECT_EQ(Devices(), Texts{kModule});
    EXPECT_EQ(Profiles(), (Texts{L"Alpha", L"Beta", L"Gamma"}));
    EXPECT_EQ(SelectedProfile(), 1);
    EXPECT_EQ(RecordedCalls(), (Calls{Call(L"connected:1"), Call(L"select:ID_B")}));
    EXPECT_TRUE(Enabled(IDC_BTN_NEW_PROFILE));
    EXPECT_TRUE(Enabled(IDC_BTN_DELETE_PROFILE));
    EXPECT_EQ(m_dialog->m_profileIds.Count(), 3u);
}

TEST_F(HostWindow, ACurrentProfileTheListLacksSelectsTheFirst) {
    LoadModules({kModule});
    Module(0)->SelectProfile(L"ID_GONE");
    MakeWindow();
    ArriveMouse();
    EXPECT_EQ(SelectedProfile(), 0);
    EXPECT_EQ(RecordedCalls(), (Calls{Call(L"connected:1"), Call(L"select:ID_A")}));
}

TEST_F(HostWindow, PickingAnotherProfileDeselectsTheOldOneFirst) {
    StartWithMouse();
    PickProfile(2);
    EXPECT_EQ(RecordedCalls(), (Calls{Call(L"deselect:ID_B"), Call(L"select:ID_C")}));
    ClearRecordedCalls();
    PickProfile(2); // no change
    EXPECT_TRUE(RecordedCalls().empty());
}

TEST_F(HostWindow, NewListsTheCopyUnselectedAndAOneItemListCannotDelete) {
    LoadModules({kModule});
    Module(0)->DeleteProfile(L"ID_A");
    Module(0)->DeleteProfile(L"ID_C");
    MakeWindow();
    ArriveMouse();
    ClearRecordedCalls();
    EXPECT_EQ(Profiles(), Texts{L"Beta"});
    EXPECT_FALSE(Enabled(IDC_BTN_DELETE_PROFILE));
    Command(IDC_BTN_DELETE_PROFILE); // even when asked, the last profile stays
    EXPECT_EQ(Profiles(), Texts{L"Beta"});

    Command(IDC_BTN_NEW_PROFILE);
    EXPECT_EQ(Profiles(), (Texts{L"Beta", L"Beta copy"}));
    EXPECT_EQ(SelectedProfile(), 0);
    EXPECT_TRUE(Enabled(IDC_BTN_DELETE_PROFILE));
    EXPECT_EQ(RecordedCalls(), Calls{Call(L"copy")});
}

TEST_F(HostWindow, DeletingTheLastOfThreeSelectsTheNewLast) {
    StartWithMouse();
    PickProfile(2);
    ClearRecordedCalls();
    Command(IDC_BTN_DELETE_PROFILE);
    EXPECT_EQ(Profiles(), (Texts{L"Alpha", L"Beta"}));
    EXPECT_EQ(SelectedProfile(), 1);
    EXPECT_EQ(RecordedCalls(), (Calls{Call(L"delete:ID_C"), Call(L"select:ID_B")}));
    EXPECT_EQ(m_dialog->m_profileIds.Count(), 2u);
}

TEST_F(HostWindow, RenameSendsTheListedNameAndAnEmptyOneKeepsTheOld) {
    StartWithMouse();
    Rename(L"");
    EXPECT_EQ(Profiles(), (Texts{L"Alpha", L"Beta", L"Gamma"}));
    Rename(L"Zeta");
    EXPECT_EQ(Profiles(), (Texts{L"Alpha", L"Zeta", L"Gamma"}));
    EXPECT_EQ(RecordedCalls(), (Calls{Call(L"rename:ID_B=Beta"), Call(L"rename:ID_B=Zeta")}));

    // The editor takes no more than a 260-character buffer carries back whole.
    m_dialog->m_listProfile.BeginEdit();
    EXPECT_EQ(m_dialog->m_listProfile.m_editor.SendMessage(EM_GETLIMITTEXT), 258);
    m_dialog->m_listProfile.EndEdit();
    Pump();
}

// The item buttons select an item without the list's notice; what the host then does must
// act on that item, not on the module's previous selection.
TEST_F(HostWindow, RenameNewAndDeleteFirstSelectTheHighlightedProfile) {
    StartWithMouse();
    m_dialog->m_listProfile.SetCurSel(2);
    Rename(L"Zeta");
    EXPECT_EQ(RecordedCalls(),
              (Calls{Call(L"deselect:ID_B"), Call(L"select:ID_C"), Call(L"rename:ID_C=Zeta")}));

    ClearRecordedCalls();
    m_dialog->m_listProfile.SetCurSel(0);
    Command(IDC_BTN_NEW_PROFILE);
    EXPECT_EQ(RecordedCalls(),
              (Calls{Call(L"deselect:ID_C"), Call(L"select:ID_A"), Call(L"copy")}));
    EXPECT_EQ(Profiles().back(), L"Alpha copy");

    ClearRecordedCalls();
    m_dialog->m_listProfile.SetCurSel(1);
    Command(IDC_BTN_DELETE_PROFILE);
    EXPECT_EQ(RecordedCalls(), (Calls{Call(L"deselect:ID_A"), Call(L"select:ID_B"),
                                      Call(L"delete:ID_B"), Call(L"select:ID_C")}));

    // An end of edit for an item that is gone is dropped.
    ClearRecordedCalls();
    EXPECT_EQ(SendMessageW(Dialog(), WM_SKIN_ITEMEDITED, 7,
                           reinterpret_cast<LPARAM>(m_dialog->m_listProfile.GetSafeHwnd())),
              1);
    EXPECT_TRUE(RecordedCalls().empty());
}

TEST_F(HostWindow, ModuleRefreshRebuildsAStaleListWithTheModulesCurrentProfile) {
    StartWithMouse();
    // The module changes on its own: a new name and another current profile.
    Module(0)->SetProfileName(L"ID_A", L"Renamed");
    Module(0)->SelectProfile(L"ID_C");
    ClearRecordedCalls();
    SendMessageW(Dialog(), WM_MODULE_REFRESH, 0, 0);
    EXPECT_EQ(Profiles(), (Texts{L"Renamed", L"Beta", L"Gamma"}));
    EXPECT_EQ(SelectedProfile(), 2);
    EXPECT_EQ(RecordedCalls(), Calls{Call(L"select:ID_C")});
    EXPECT_EQ(m_dialog->m_profileIds.Count(), 3u);
}

TEST_F(HostWindow, EveryIdentifierCopyIsFreedWithItsItem) {
    StartWithMouse();
    Command(IDC_BTN_NEW_PROFILE);
    EXPECT_EQ(m_dialog->m_profileIds.Count(), 4u);
    Command(IDC_BTN_DELETE_PROFILE);
    EXPECT_EQ(m_dialog->m_profileIds.Count(), 3u);
    m_dialog->ClearProfileList();
    EXPECT_EQ(m_dialog->m_profileIds.Count(), 0u);
    EXPECT_EQ(m_dialog->m_listProfile.GetCount(), 0);
    SendMessageW(Dialog(), WM_MODULE_REFRESH, 0, 0);
    EXPECT_EQ(m_dialog->m_profileIds.Count(), 3u);
    m_dialog->DestroyWindow();
    EXPECT_EQ(m_dialog->m_profileIds.Count(), 0u);
}

TEST_F(HostWindow, LanguageComboShowsNamesWithoutKeysAndSwitchesTheTexts) {
    WriteLanguageFile("[Language]\r\nDefault=English\r\nL1=English\r\nL2=Deutsch\r\n"
                      "[English]\r\nID1=IDC_STATIC_DEVICES\r\nTEXT1=Mice\r\n"
                      "[Deutsch]\r\nID1=ID_DEUTSCH\r\nTEXT1=Deutsch (de)\r\n"
                      "ID2=IDC_BTN_NEW_PROFILE\r\nTEXT2=Neu\r\n");
    Start({kModule});
    CSkinComboBox& combo = m_dialog->m_cbLanguage;
    ASSERT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(combo.GetLBText(0), L"English"); // no ID_ENGLISH in the file
    EXPECT_EQ(combo.GetLBText(1), L"Deutsch");
    EXPECT_EQ(combo.GetCurSel(), 0);
    wchar_t text[64] = {};
    GetDlgItemTextW(Dialog(), IDC_STATIC_DEVICES, text, 64);
    EXPECT_STREQ(text, L"Mice");

    combo.SetCurSel(1);
    Command(IDC_COMBO_LANGUAGE, CBN_SELCHANGE);
    EXPECT_EQ(CMultiLanguage::s_currentLanguage, L"Deutsch");
    EXPECT_EQ(combo.GetLBText(1), L"Deutsch (de)");
    EXPECT_EQ(combo.GetCurSel(), 1);
    GetDlgItemTextW(Dialog(), IDC_BTN_NEW_PROFILE, text, 64);
    EXPECT_STREQ(text, L"Neu");
    GetDlgItemTextW(Dialog(), IDC_STATIC_DEVICES, text, 64);
    EXPECT_STREQ(text, L"Devices"); // missing in German: the built-in text
    EXPECT_EQ(RecordedCalls(), Calls{Call(L"language:Deutsch")});
}

TEST_F(HostWindow, EnterAndEscapeDoNothing) {
    StartWithMouse();
    ShowFromTray();
    ASSERT_TRUE(Visible());
    Command(IDOK);
    Command(IDCANCEL);
    Pump();
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(RecordedCalls().empty());
}

TEST_F(HostWindow, TheRealModuleListsItsMouseWithItsCurrentProfile) {
    Start({L"vireo"});
    ArriveMouse();
    EXPECT_EQ(Devices(), Texts{L"Norvale Kestrel Mouse"});
    const int selected = SelectedProfile();
    ASSERT_GE(selected, 0);
    EXPECT_EQ(static_cast<int>(Profiles().size()), Module(0)->GetProfileCount());
    const auto* record = m_dialog->m_listProfile.GetItemRecord(selected);
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(m_dialog->m_profileIds.Find(record->data1), Module(0)->GetCurrentProfileID());
}

} // namespace

namespace {

// For review: the window as a person opens it, left as build/host-window.png.
TEST_F(HostWindow, LeavesAPictureOfTheOpenWindow) {
    Start({L"vireo"});
    ArriveMouse();
    ShowFromTray();
    SetForegroundWindow(Dialog());
    RedrawWindow(Dialog(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    EXPECT_TRUE(host_test::SaveWindowPicture(Dialog(), testing_support::ProgramDir() +
                                                           L"\\..\\host-window.png"));
}

} // namespace
