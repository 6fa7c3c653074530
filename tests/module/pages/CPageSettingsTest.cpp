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
    std::wstring Text(int id) const {
        return CWnd::FromHandle(::GetDlgItem(m_page->m_hWnd, id))->GetWindowText();
    }
};

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
