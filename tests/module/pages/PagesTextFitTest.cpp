// Every text of the shipped module language file fits its control on each page, in every
// language the file offers, at the font the control draws with.
#include "module/actions/BuiltInActions.h"
#include "module/pages/CPageButtons.h"
#include "module/pages/CPageSettings.h"
#include "module/pages/CPageStatistics.h"
#include "module/pages/InfoPagesResource.h"
#include "module/pages/resource.h"
#include "tests/language/TextFit.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TempDir.h"

#include "framework/Picture.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

using testing_support::ProgramDir;
using testing_support::PumpWaitingMessages;
using testing_support::TempDir;
using text_fit::Misfit;

constexpr UINT kButtonPageHost = 660;
constexpr UINT kInfoPageHost = 650;

class FixedTicks : public platform::ITickSource {
public:
    std::uint32_t Milliseconds() const override { return 4242; }
};

std::string ReadBytes(const std::wstring& path) {
    std::ifstream file(std::string(path.begin(), path.end()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

class ModulePageTexts : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    TempDir m_dir;
    std::wstring m_previousDir;
    CProfileList m_profiles;
    std::wstring m_currentProfileId = L"ID_PROFILE_1";
    CCustomActionList m_actions;
    FixedTicks m_ticks;
    int m_running = 0;
    std::array<int, 5> m_counts{};
    CDialog m_buttonHost{kButtonPageHost};
    CDialog m_infoHost{kInfoPageHost};
    std::unique_ptr<CPageButtons> m_buttons;
    std::unique_ptr<CPageSettings> m_settings;
    std::unique_ptr<CPageStatistics> m_statistics;

    void SetUp() override {
        wchar_t previous[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, previous);
        m_previousDir = previous;
        // The pages' pictures from the build, the language file a copy of the shipped one.
        SetCurrentDirectoryW(ProgramDir().c_str());
        m_dir.Write(L"l_vireo.ini", ReadBytes(ProgramDir() + L"\\Language\\l_vireo.ini"));
        ForgetLanguage();
        CMultiLanguage::s_languageFile = m_dir.File(L"l_vireo.ini");

        AddMissingBuiltInActions(m_actions);
        m_profiles.Append(CProfileVireo::MakeStandard(m_currentProfileId, L"Profile"));
        ASSERT_TRUE(m_buttonHost.Create(kButtonPageHost));
        ASSERT_TRUE(m_infoHost.Create(kInfoPageHost));
        m_buttons = std::make_unique<CPageButtons>(
            ModuleModel{m_profiles, m_currentProfileId, m_actions, m_ticks});
        ASSERT_TRUE(m_buttons->Create(IDD_PAGE_BUTTONS, &m_buttonHost));
        m_buttons->RefreshFromProfile();
        m_settings = std::make_unique<CPageSettings>();
        ASSERT_TRUE(m_settings->Create(CPageSettings::IDD, &m_infoHost));
        m_statistics =
            std::make_unique<CPageStatistics>(StatisticsCounters{m_running, m_counts}, m_ticks);
        ASSERT_TRUE(m_statistics->Create(CPageStatistics::IDD, &m_infoHost));
        PumpWaitingMessages();
    }

    void TearDown() override {
        m_statistics.reset();
        m_settings.reset();
        m_buttons.reset();
        m_infoHost.DestroyWindow();
        m_buttonHost.DestroyWindow();
        ForgetLanguage();
        SetCurrentDirectoryW(m_previousDir.c_str());
    }

    static void ForgetLanguage() {
        CMultiLanguage::s_languageFile.clear();
        CMultiLanguage::s_currentLanguage.clear();
        CMultiLanguage::s_languages.clear();
        CMultiLanguage::s_texts.clear();
    }

    void StartStop() {
        m_statistics->SendMessage(
            WM_COMMAND, MAKEWPARAM(IDC_BTN_START_STOP, BN_CLICKED),
            reinterpret_cast<LPARAM>(GetDlgItem(m_statistics->m_hWnd, IDC_BTN_START_STOP)));
    }
};

TEST_F(ModulePageTexts, FitTheirControlsInEveryLanguage) {
    m_buttons->SelectLanguage(nullptr);
    // The measure reaches the controls: a caption, and a description wrapped, that are far
    // too long are reported.
    std::vector<Misfit> tooLong;
    text_fit::MeasureAs(m_buttons->m_pageKeypress.m_btnRecord.m_hWnd, std::wstring(60, L'W'),
                        tooLong);
    std::wstring words;
    for (int i = 0; i < 40; ++i)
        words += L"WWWWWWWW ";
    text_fit::MeasureAs(GetDlgItem(m_buttons->m_pageKeypress.m_hWnd, IDC_STATIC_DESCRIPTION_TEXT),
                        words, tooLong);
    ASSERT_EQ(tooLong.size(), 2u);
    EXPECT_STREQ(tooLong[1].measure, "wrapped height");

    const std::vector<std::wstring> languages = CMultiLanguage::s_languages;
    ASSERT_GE(languages.size(), 2u);
    for (const std::wstring& language : languages) {
        SCOPED_TRACE(Narrow(language));
        m_buttons->SelectLanguage(language.c_str());
        m_settings->SelectLanguage(language.c_str());
        m_statistics->SelectLanguage(language.c_str());
        ASSERT_EQ(CMultiLanguage::s_currentLanguage, language);
        ASSERT_NE(CMultiLanguage::GetText(L"IDC_BTN_SAVE"), nullptr);

        std::vector<Misfit> misfits = text_fit::Misfits(m_buttons->m_hWnd);
        // The record button's picture carries its dot 9 to 17 pixels in from the left edge:
        // the centred caption, and the one it shows while recording, keep clear of it.
        CSkinButton& record = m_buttons->m_pageKeypress.m_btnRecord;
        for (const wchar_t* key : {L"IDC_BTN_START_RECORD", L"IDC_BTN_STOP_RECORD"}) {
            const std::wstring caption = CMultiLanguage::TextOr(key, L"");
            HDC dc = GetDC(record.m_hWnd);
            const float needed =
                text_fit::LineWidth(dc, record.GetFontName(), record.GetFontSize(), caption);
            ReleaseDC(record.m_hWnd, dc);
            RECT rect = record.GetClientRect();
            const float available = static_cast<float>(rect.right - 2 * 17);
            if (needed > available)
                misfits.push_back({IDC_BTN_RECORD, caption, needed, available, "width"});
        }
        for (const Misfit& misfit : text_fit::Misfits(m_settings->m_hWnd))
            misfits.push_back(misfit);
        for (int pass = 0; pass < 2; ++pass) { // stopped, then running
            for (const Misfit& misfit : text_fit::Misfits(m_statistics->m_hWnd))
                misfits.push_back(misfit);
            StartStop();
        }
        for (const Misfit& misfit : misfits)
            ADD_FAILURE() << misfit;
    }
}

} // namespace
