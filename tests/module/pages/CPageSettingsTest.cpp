// The settings page on a real window: its sliders as the module window drives them, and its
// captions.
#include "module/pages/CPageSettings.h"
#include "tests/module/pages/InfoPageHost.h"
#include "tests/skin/PointerSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace info_pages_test;

class SettingsPage : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    skin_test::SkinResFolder m_res;
    testing_support::TempDir m_languageDir;
    InfoPageHost m_host;
    std::unique_ptr<CPageSettings> m_page;

    void SetUp() override {
        WriteInfoPagePictures(m_res);
        // The pointer stays off the page: only the test says what is pointed at.
        skin_test::MovePointer(1, 1);
        ASSERT_TRUE(m_host.Create(kHostTemplate));
        m_host.MoveWindow(60, 60, 800, 540);
        m_page = std::make_unique<CPageSettings>();
        ASSERT_TRUE(m_page->Create(CPageSettings::IDD, &m_host));
        m_host.ShowWindow(SW_SHOW);
        m_page->ShowWindow(SW_SHOW);
        testing_support::PumpWaitingMessages();
    }
    void TearDown() override {
        m_page.reset();
        ForgetLanguage();
    }
    // The field or list itself, inside the scroll frame that took its place on the page.
    HWND Inner(int id, const wchar_t* className) const {
        struct Search {
            int id;
            const wchar_t* className;
            HWND found;
        } search = {id, className, nullptr};
        EnumChildWindows(
            m_page->m_hWnd,
            [](HWND child, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                wchar_t name[32] = {};
                GetClassNameW(child, name, 32);
                if (GetDlgCtrlID(child) == s->id && _wcsicmp(name, s->className) == 0) {
                    s->found = child;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    std::wstring Text(int id) const {
        return CWnd::FromHandle(::GetDlgItem(m_page->m_hWnd, id))->GetWindowText();
    }
};

// The program list as the module window drives it and as a user edits it with the buttons.
TEST_F(SettingsPage, ProgramsAreTypedInOnceEachAndRemovedBySelection) {
    m_page->SetPrograms({L"game.exe"});
    const HWND edit = Inner(IDC_EDIT_PROGRAM, L"Edit");
    const HWND list = Inner(IDC_LIST_PROGRAMS, L"ListBox");
    // What a click on the button sends (the pointer stays off the page).
    auto clickButton = [&](int id) {
        ::SendMessageW(m_page->m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(m_page->m_hWnd, id)));
    };
    const struct {
        const wchar_t* typed;
        std::size_t count;
        const wchar_t* leftInField;
    } typing[] = {
        {L"  Tool.exe ", 2, L""},      // trimmed
        {L"GAME.EXE", 2, L"GAME.EXE"}, // listed already, whatever the case: stays to be fixed
        {L"   ", 2, L"   "},           // nothing to add
        {L"Ärger.exe", 3, L""},
    };
    for (const auto& t : typing) {
        ::SetWindowTextW(edit, t.typed);
        clickButton(IDC_BTN_ADD_PROGRAM);
        EXPECT_EQ(m_page->Programs().size(), t.count)
            << testing::PrintToString(std::wstring(t.typed));
        EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), t.leftInField);
    }
    EXPECT_EQ(m_page->Programs(),
              (std::vector<std::wstring>{L"game.exe", L"Tool.exe", L"Ärger.exe"}));

    ::SendMessageW(list, LB_SETCURSEL, 1, 0);
    clickButton(IDC_BTN_REMOVE_PROGRAM);
    EXPECT_EQ(m_page->Programs(), (std::vector<std::wstring>{L"game.exe", L"Ärger.exe"}));
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1) << "the next one is selected";
    clickButton(IDC_BTN_REMOVE_PROGRAM);
    clickButton(IDC_BTN_REMOVE_PROGRAM);
    clickButton(IDC_BTN_REMOVE_PROGRAM); // nothing left to remove
    EXPECT_TRUE(m_page->Programs().empty());

    m_page->SetPrograms({L"a.exe"});
    EXPECT_EQ(m_page->Programs(), std::vector<std::wstring>{L"a.exe"})
        << "a new profile replaces the list";
}

TEST_F(SettingsPage, SlidersClampWhatTheyAreGivenAndReadItBack) {
    struct Case {
        int given;
        int position;
    } cases[] = {{0, 0}, {2, 2}, {3, 3}, {-1, 0}, {800, 3}}; // 800: a profile's stored default
    for (CSkinSliderCtrl* slider : {&m_page->CpiSlider(), &m_page->ReportRateSlider()}) {
        slider->SetRange(0, 3);
        for (const Case& c : cases) {
            slider->SetValue(c.given);
            EXPECT_EQ(slider->SendMessage(TBM_GETPOS), c.position) << c.given;
        }
    }
}

TEST_F(SettingsPage, EachThumbTravelsAlongItsTrackOnThePicture) {
    struct Case {
        CSkinSliderCtrl* slider;
        RECT track; // page client coordinates
    } cases[] = {{&m_page->CpiSlider(), {30, 87, 406, 107}},
                 {&m_page->ReportRateSlider(), {30, 234, 406, 254}}};
    for (const Case& c : cases) {
        RECT window = c.slider->GetWindowRect();
        m_page->ScreenToClient(window);
        const RECT& channel = c.slider->GetChannelRect();
        EXPECT_EQ(window.left + channel.left, c.track.left);
        EXPECT_EQ(window.left + channel.right, c.track.right);
        EXPECT_EQ(window.top, c.track.top);
        EXPECT_EQ(window.bottom, c.track.bottom);
    }
}

TEST_F(SettingsPage, CaptionsComeFromTheLanguageFileOrTheBuiltInTexts) {
    m_languageDir.Write(L"l_vireo.ini", "[Language]\r\nDefault=Test\r\n[Test]\r\n"
                                        "ID1=IDC_STATIC_CPI1\r\nTEXT1=Aufloesung\r\n");
    struct Caption {
        int id;
        const wchar_t* builtIn;
        const wchar_t* translated;
    } captions[] = {
        {IDC_STATIC_CPI1, L"COUNTS PER INCH (CPI) SETTING", L"Aufloesung"},
        {IDC_STATIC_REPORT_RATE, L"REPORT RATE", L"REPORT RATE"}, // not in the file
    };
    for (bool withFile : {true, false}) {
        SelectLanguageFile(*m_page, m_languageDir.File(withFile ? L"l_vireo.ini" : L"none.ini"));
        for (const Caption& c : captions)
            EXPECT_EQ(Text(c.id), withFile ? c.translated : c.builtIn) << c.id;
    }
}

TEST_F(SettingsPage, EnterAndEscapeLeaveThePageShown) {
    for (WORD command : {WORD{IDOK}, WORD{IDCANCEL}}) {
        m_page->SendMessage(WM_COMMAND, command);
        EXPECT_TRUE(::IsWindow(m_page->m_hWnd) && m_page->IsWindowVisible()) << command;
    }
}

} // namespace
