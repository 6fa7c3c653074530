// The tables on real language files, through the system's private-profile functions.
#include "language/CMultiLanguage.h"
#include "tests/support/TempDir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::TempDir;

class CaptionedWindow : public CMultiLanguage {
public:
    void OnLanguageChanged() override {}
};

std::string Utf16WithoutBom(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string Utf16File(const std::wstring& text) {
    return "\xFF\xFE" + Utf16WithoutBom(text);
}

std::string AsciiFile(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

std::wstring StoredDefault(const std::wstring& file) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"Language", L"Default", L"<none>", value, 64, file.c_str());
    return value;
}

class LanguageFile : public testing::Test {
protected:
    TempDir m_dir;
    CaptionedWindow m_window;

    void SetUp() override { ResetTables(); }
    void TearDown() override { ResetTables(); }
    static void ResetTables() {
        CMultiLanguage::s_languageFile.clear();
        CMultiLanguage::s_currentLanguage.clear();
        CMultiLanguage::s_languages.clear();
        CMultiLanguage::s_texts.clear();
    }
};

TEST_F(LanguageFile, MissingFileGivesEnglishWithEmptyTablesAndIsNotCreated) {
    CreateDirectoryW(m_dir.File(L"Language").c_str(), nullptr);
    const std::wstring file = m_dir.File(L"Language\\l_test.ini");
    CMultiLanguage::s_languageFile = file;
    m_window.SelectLanguage(nullptr);
    m_window.SelectLanguage(L"Deutsch");
    EXPECT_EQ(CMultiLanguage::s_currentLanguage, L"Deutsch");
    EXPECT_TRUE(CMultiLanguage::s_languages.empty());
    EXPECT_TRUE(CMultiLanguage::s_texts.empty());
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LanguageFile, StartingAndSwitchingLeaveAFileUnchangedThatNeedsNoWrite) {
    const std::wstring english = L"[Language]\r\n"
                                 L"Default=English\r\n"
                                 L"L1=English\r\n"
                                 L"L2=Deutsch\r\n"
                                 L"[English]\r\n"
                                 L"ID1=IDOK\r\n"
                                 L"TEXT1=Fine\r\n"
                                 L"[Deutsch]\r\n"
                                 L"ID1=IDOK\r\n"
                                 L"TEXT1=Gut\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        const wchar_t* switchTo; // after the start, as the host tells a module
        std::wstring language;
        const wchar_t* text;
    } cases[] = {
        // Read as ANSI, it holds no section the system can find.
        {"UTF-16 without a byte-order mark", Utf16WithoutBom(english), L"Deutsch", L"Deutsch",
         nullptr},
        {"UTF-16 naming the language in use", Utf16File(english), nullptr, L"English", L"Fine"},
        {"ANSI naming the language in use", AsciiFile(english), L"English", L"English", L"Fine"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetTables();
        m_dir.Write(L"l_test.ini", c.bytes);
        CMultiLanguage::s_languageFile = m_dir.File(L"l_test.ini");

        m_window.SelectLanguage(nullptr);
        if (c.switchTo)
            m_window.SelectLanguage(c.switchTo);

        EXPECT_EQ(CMultiLanguage::s_currentLanguage, c.language);
        EXPECT_EQ(CMultiLanguage::GetText(L"IDOK") ? std::wstring(CMultiLanguage::GetText(L"IDOK"))
                                                   : L"<none>",
                  c.text ? c.text : L"<none>");
        EXPECT_EQ(m_dir.Read(L"l_test.ini"), c.bytes);
    }
}

TEST_F(LanguageFile, TenThousandTextsAllArriveWithTheLookupRulesOfSingleReads) {
    std::wstring text = L"[Language]\r\nDefault=English\r\n[English]\r\n";
    for (int i = 1; i <= 10000; ++i) {
        const std::wstring n = std::to_wstring(i);
        text += L"ID" + n + L"=KEY_" + n + L"\r\nTEXT" + n + L"=Text number " + n + L"\r\n";
    }
    // A repeated key keeps its first text; names ignore case; values lose one pair of quotes
    // and are cut to 259 characters; the table ends at the first missing ID.
    text += L"id10001=KEY_1\r\nText10001=repeated\r\n"
            L"ID10002=QUOTED\r\nTEXT10002=\"  spaced  \"\r\n"
            L"ID10003=LONG\r\nTEXT10003=" +
            std::wstring(300, L'x') +
            L"\r\n"
            L"ID10003=SHADOWED\r\n"
            L"ID10005=AFTER_THE_GAP\r\nTEXT10005=never\r\n";
    m_dir.Write(L"l_test.ini", Utf16File(text));
    CMultiLanguage::s_languageFile = m_dir.File(L"l_test.ini");

    m_window.SelectLanguage(nullptr);

    EXPECT_EQ(CMultiLanguage::s_texts.size(), 10002u);
    EXPECT_STREQ(CMultiLanguage::GetText(L"KEY_1"), L"Text number 1");
    EXPECT_STREQ(CMultiLanguage::GetText(L"KEY_5000"), L"Text number 5000");
    EXPECT_STREQ(CMultiLanguage::GetText(L"KEY_10000"), L"Text number 10000");
    EXPECT_STREQ(CMultiLanguage::GetText(L"QUOTED"), L"  spaced  ");
    EXPECT_EQ(std::wstring(CMultiLanguage::GetText(L"LONG")), std::wstring(259, L'x'));
    EXPECT_EQ(CMultiLanguage::GetText(L"SHADOWED"), nullptr);
    EXPECT_EQ(CMultiLanguage::GetText(L"AFTER_THE_GAP"), nullptr);
}

// Damaged and odd language files: the start never fails, a language is always chosen, every
// text the system can read arrives, and a file that names the language in use is not written.
TEST_F(LanguageFile, OddFilesGiveWhatTheSystemCanReadAndAreNotWritten) {
    const std::string english = "[Language]\r\nDefault=English\r\nL1=English\r\n"
                                "[English]\r\nID1=IDOK\r\nTEXT1=Fine\r\n";
    const std::string longText(100000, 'x');
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring language;
        std::wstring text; // of IDOK, "<none>" when missing
        std::vector<std::wstring> languages;
    };
    const std::vector<Case> cases = {
        {"UTF-8 with a byte-order mark",
         "\xEF\xBB\xBF" + english.substr(0, english.size() - 6) + "Caf\xC3\xA9\r\n",
         L"English",
         L"Caf\u00e9",
         {L"English"}},
        {"ANSI with junk lines and bytes",
         "\x01\x02junk\r\n" + english.substr(0, english.find("[English]")) +
             "no equals sign\r\n=no key\r\n\xFF\xFE\x81\x8D\r\n[English]\r\n\x90\x9D=\x8F\r\n" +
             "ID1=IDOK\r\nTEXT1=Fine\r\n[\r\n]]]\r\n",
         L"English",
         L"Fine",
         {L"English"}},
        {"a text of 100,000 characters",
         english.substr(0, english.size() - 6) + longText + "\r\n",
         L"English",
         std::wstring(259, L'x'),
         {L"English"}},
        {"a language name of 100,000 characters",
         "[Language]\r\nDefault=" + longText + "\r\nL1=" + longText +
             "\r\n[English]\r\nID1=IDOK\r\n" + "TEXT1=Fine\r\n",
         std::wstring(259, L'x'),
         L"<none>",
         {std::wstring(259, L'x')}},
        {"no [Language] section",
         english.substr(english.find("[English]")),
         L"English",
         L"Fine",
         {}},
        {"an empty file", "", L"English", L"<none>", {}},
        {"only a byte-order mark", "\xFF\xFE", L"English", L"<none>", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetTables();
        m_dir.Write(L"l_test.ini", c.bytes);
        CMultiLanguage::s_languageFile = m_dir.File(L"l_test.ini");

        m_window.SelectLanguage(nullptr);

        EXPECT_EQ(CMultiLanguage::s_currentLanguage, c.language);
        const wchar_t* text = CMultiLanguage::GetText(L"IDOK");
        EXPECT_EQ(text ? std::wstring(text) : L"<none>", c.text);
        EXPECT_EQ(CMultiLanguage::s_languages, c.languages);
        EXPECT_EQ(m_dir.Read(L"l_test.ini"), c.bytes);
    }
}

TEST_F(LanguageFile, SwitchingLanguagesReadsTheFileAndRemembersTheChoice) {
    m_dir.Write(L"l_test.ini", Utf16File(L"[language]\r\n"
                                         L"default = English\r\n"
                                         L"L1=English\r\n"
                                         L"L2=\"Ελληνικά\"\r\n"
                                         L"[ENGLISH]\r\n"
                                         L"ID1=IDC_STATIC_DEVICES\r\n"
                                         L"TEXT1=  Devices  \r\n"
                                         L"[Ελληνικά]\r\n"
                                         L"id1=IDC_STATIC_DEVICES\r\n"
                                         L"text1=\"Συσκευές \"\r\n"));
    CMultiLanguage::s_languageFile = m_dir.File(L"l_test.ini");

    m_window.SelectLanguage(nullptr);
    EXPECT_EQ(CMultiLanguage::s_languages, (std::vector<std::wstring>{L"English", L"Ελληνικά"}));
    EXPECT_STREQ(CMultiLanguage::GetText(L"IDC_STATIC_DEVICES"), L"Devices");

    m_window.SelectLanguage(CMultiLanguage::s_languages[1].c_str());
    EXPECT_STREQ(CMultiLanguage::GetText(L"IDC_STATIC_DEVICES"), L"Συσκευές ");
    EXPECT_EQ(StoredDefault(CMultiLanguage::s_languageFile), L"Ελληνικά");

    // A later start finds the choice again.
    ResetTables();
    CMultiLanguage::s_languageFile = m_dir.File(L"l_test.ini");
    m_window.SelectLanguage(nullptr);
    EXPECT_EQ(CMultiLanguage::s_currentLanguage, L"Ελληνικά");
    EXPECT_STREQ(CMultiLanguage::GetText(L"IDC_STATIC_DEVICES"), L"Συσκευές ");
}

} // namespace
