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
