// The tables on real language files, through the system's private-profile functions.
#include "language/CMultiLanguage.h"
#include "tests/support/TempDir.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using testing_support::TempDir;

class CaptionedWindow : public CMultiLanguage {
public:
    void OnLanguageChanged() override {}
};

std::string Utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
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

TEST_F(LanguageFile, MissingFileGivesEnglishWithEmptyTablesAndIsCreatedWhereItsFolderExists) {
    CreateDirectoryW(m_dir.File(L"Language").c_str(), nullptr);
    struct Case {
        const char* name;
        std::wstring file;
        bool created;
    } cases[] = {
        {"folder exists", m_dir.File(L"Language\\l_test.ini"), true},
        {"folder missing", m_dir.File(L"Absent\\l_test.ini"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetTables();
        CMultiLanguage::s_languageFile = c.file;
        m_window.SelectLanguage(nullptr);
        EXPECT_EQ(CMultiLanguage::s_currentLanguage, L"English");
        EXPECT_TRUE(CMultiLanguage::s_languages.empty());
        EXPECT_TRUE(CMultiLanguage::s_texts.empty());
        EXPECT_EQ(GetFileAttributesW(c.file.c_str()) != INVALID_FILE_ATTRIBUTES, c.created);
        if (c.created) {
            EXPECT_EQ(StoredDefault(c.file), L"English");
        }
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
