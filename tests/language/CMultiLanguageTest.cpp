#include "language/CMultiLanguage.h"
#include "platform/IIniFile.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

using Entries = std::vector<std::pair<std::wstring, std::wstring>>;
using Texts = std::map<std::wstring, std::wstring>;

// An INI file in memory: values by exact section and key; counts every read.
class FakeIniFile final : public IIniFile {
public:
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> m_values;
    std::vector<std::wstring> m_writes; // "section/key=value"
    int m_reads = 0;

    void Section(const std::wstring& section, const Entries& entries) {
        for (const auto& entry : entries)
            m_values[{section, entry.first}] = entry.second;
    }

    std::wstring ReadString(const std::wstring& file, const std::wstring& section,
                            const std::wstring& key, const std::wstring& defaultValue) override {
        ++m_reads;
        EXPECT_EQ(file, L"C:\\app\\Language\\l_test.ini");
        auto it = m_values.find({section, key});
        return it == m_values.end() ? defaultValue : it->second;
    }
    std::vector<IniEntry> ReadSection(const std::wstring& file,
                                      const std::wstring& section) override {
        ++m_reads;
        EXPECT_EQ(file, L"C:\\app\\Language\\l_test.ini");
        std::vector<IniEntry> entries;
        for (const auto& value : m_values) {
            if (value.first.first == section)
                entries.push_back({value.first.second, value.second});
        }
        return entries;
    }
    bool WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override {
        EXPECT_EQ(file, L"C:\\app\\Language\\l_test.ini");
        m_writes.push_back(section + L"/" + key + L"=" + value);
        m_values[{section, key}] = value;
        return true;
    }
};

class CaptionedWindow : public CMultiLanguage {
public:
    int m_captions = 0;
    void OnLanguageChanged() override { ++m_captions; }
};

class LanguageTables : public testing::Test {
protected:
    FakeIniFile m_ini;
    CaptionedWindow m_window;

    void SetUp() override {
        CMultiLanguage::s_languageFile = L"C:\\app\\Language\\l_test.ini";
        CMultiLanguage::s_currentLanguage.clear();
        CMultiLanguage::s_languages.clear();
        CMultiLanguage::s_texts.clear();
        CMultiLanguage::SetIniFile(&m_ini);
    }
    void TearDown() override {
        CMultiLanguage::SetIniFile(nullptr);
        CMultiLanguage::s_languageFile.clear();
        CMultiLanguage::s_currentLanguage.clear();
        CMultiLanguage::s_languages.clear();
        CMultiLanguage::s_texts.clear();
    }
};

TEST_F(LanguageTables, TextTableEndsAtTheFirstMissingIdAndSkipsPairsWithoutText) {
    struct Case {
        const char* name;
        Entries section;
        Texts expected;
    } cases[] = {
        {"ID3 missing while ID4 exists",
         {{L"ID1", L"a"},
          {L"TEXT1", L"A"},
          {L"ID2", L"b"},
          {L"TEXT2", L"B"},
          {L"ID4", L"d"},
          {L"TEXT4", L"D"}},
         {{L"a", L"A"}, {L"b", L"B"}}},
        {"ID3 empty ends the table too",
         {{L"ID1", L"a"},
          {L"TEXT1", L"A"},
          {L"ID3", L""},
          {L"TEXT3", L"C"},
          {L"ID2", L"b"},
          {L"TEXT2", L"B"},
          {L"ID4", L"d"},
          {L"TEXT4", L"D"}},
         {{L"a", L"A"}, {L"b", L"B"}}},
        {"TEXT2 empty while ID2 and ID3 are set",
         {{L"ID1", L"a"},
          {L"TEXT1", L"A"},
          {L"ID2", L"b"},
          {L"TEXT2", L""},
          {L"ID3", L"c"},
          {L"TEXT3", L"C"}},
         {{L"a", L"A"}, {L"c", L"C"}}},
        {"TEXT2 missing",
         {{L"ID1", L"a"}, {L"TEXT1", L"A"}, {L"ID2", L"b"}, {L"ID3", L"c"}, {L"TEXT3", L"C"}},
         {{L"a", L"A"}, {L"c", L"C"}}},
        {"the same key under ID1 and ID5: the first wins",
         {{L"ID1", L"k"},
          {L"TEXT1", L"first"},
          {L"ID2", L"b"},
          {L"TEXT2", L"B"},
          {L"ID3", L"c"},
          {L"TEXT3", L"C"},
          {L"ID4", L"d"},
          {L"TEXT4", L"D"},
          {L"ID5", L"k"},
          {L"TEXT5", L"fifth"}},
         {{L"k", L"first"}, {L"b", L"B"}, {L"c", L"C"}, {L"d", L"D"}}},
        {"no section for the language", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_ini.m_values.clear();
        m_ini.Section(L"Deutsch", c.section);
        CMultiLanguage::s_currentLanguage = L"Deutsch";
        CMultiLanguage::LoadTables();
        EXPECT_EQ(CMultiLanguage::s_texts, c.expected);
        EXPECT_EQ(CMultiLanguage::s_currentLanguage, L"Deutsch");
    }
}

TEST_F(LanguageTables, LanguageListEndsAtTheFirstMissingOrEmptyKey) {
    m_ini.Section(L"Language", {{L"L1", L"English"}, {L"L2", L"Deutsch"}, {L"L4", L"Cymraeg"}});
    CMultiLanguage::LoadTables();
    EXPECT_EQ(CMultiLanguage::s_languages, (std::vector<std::wstring>{L"English", L"Deutsch"}));

    m_ini.Section(L"Language", {{L"L1", L""}, {L"L3", L"Cymraeg"}});
    CMultiLanguage::LoadTables();
    EXPECT_TRUE(CMultiLanguage::s_languages.empty());
}

TEST_F(LanguageTables, FirstSelectionTakesTheStoredDefaultOrEnglishAndWritesOnlyAChange) {
    struct Case {
        const char* name;
        Entries languageSection;
        std::wstring expectedLanguage;
        Texts expectedTexts;
        std::vector<std::wstring> expectedWrites;
    } cases[] = {
        {"stored default", {{L"Default", L"Deutsch"}}, L"Deutsch", {{L"IDOK", L"Jawohl"}}, {}},
        {"no default",
         {{L"L1", L"English"}},
         L"English",
         {{L"IDOK", L"OK"}},
         {L"Language/Default=English"}},
        // Nothing must come from the keys that stand before the first section.
        {"default present but empty", {{L"Default", L""}}, L"", {}, {}},
        // Missing, or in a file the system cannot read: a write would rewrite the file from
        // what the system made of it.
        {"no [Language] section", {}, L"English", {{L"IDOK", L"OK"}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_ini.m_values.clear();
        m_ini.m_writes.clear();
        m_window.m_captions = 0;
        CMultiLanguage::s_currentLanguage.clear();
        m_ini.Section(L"Language", c.languageSection);
        m_ini.Section(L"English", {{L"ID1", L"IDOK"}, {L"TEXT1", L"OK"}});
        m_ini.Section(L"Deutsch", {{L"ID1", L"IDOK"}, {L"TEXT1", L"Jawohl"}});
        m_ini.Section(L"", {{L"ID1", L"IDOK"}, {L"TEXT1", L"stray"}});

        m_window.SelectLanguage(nullptr);

        EXPECT_EQ(CMultiLanguage::s_currentLanguage, c.expectedLanguage);
        EXPECT_EQ(CMultiLanguage::s_texts, c.expectedTexts);
        EXPECT_EQ(m_ini.m_writes, c.expectedWrites);
        EXPECT_EQ(m_window.m_captions, 1);
    }
}

TEST_F(LanguageTables, ASwitchIsNeverWrittenIntoAFileWithoutALanguageSection) {
    m_ini.Section(L"Deutsch", {{L"ID1", L"IDOK"}, {L"TEXT1", L"Jawohl"}});
    m_window.SelectLanguage(nullptr);
    m_window.SelectLanguage(L"Deutsch");
    EXPECT_STREQ(CMultiLanguage::GetText(L"IDOK"), L"Jawohl");
    EXPECT_TRUE(m_ini.m_writes.empty());
}

TEST_F(LanguageTables, EachSectionIsReadOnceHoweverManyKeysItHolds) {
    Entries english;
    for (int i = 1; i <= 10000; ++i) {
        english.emplace_back(L"ID" + std::to_wstring(i), L"KEY_" + std::to_wstring(i));
        english.emplace_back(L"TEXT" + std::to_wstring(i), L"Text " + std::to_wstring(i));
    }
    m_ini.Section(L"English", english);
    Entries languages = {{L"Default", L"English"}};
    for (int i = 1; i <= 50; ++i)
        languages.emplace_back(L"L" + std::to_wstring(i), L"Language " + std::to_wstring(i));
    m_ini.Section(L"Language", languages);

    m_window.SelectLanguage(nullptr);

    EXPECT_EQ(m_ini.m_reads, 2);
    EXPECT_EQ(CMultiLanguage::s_texts.size(), 10000u);
    EXPECT_STREQ(CMultiLanguage::GetText(L"KEY_1"), L"Text 1");
    EXPECT_STREQ(CMultiLanguage::GetText(L"KEY_10000"), L"Text 10000");
    EXPECT_EQ(CMultiLanguage::s_languages.size(), 50u);
}

TEST_F(LanguageTables, SelectingTheCurrentLanguageOnlyRecaptions) {
    m_ini.Section(L"Language", {{L"Default", L"English"}});
    m_ini.Section(L"English", {{L"ID1", L"IDOK"}, {L"TEXT1", L"OK"}});
    m_window.SelectLanguage(nullptr);
    m_ini.m_reads = 0;
    m_ini.m_writes.clear();

    m_window.SelectLanguage(L"English");

    EXPECT_EQ(m_ini.m_reads, 0);
    EXPECT_TRUE(m_ini.m_writes.empty());
    EXPECT_EQ(m_window.m_captions, 2);
    EXPECT_STREQ(CMultiLanguage::GetText(L"IDOK"), L"OK");
}

TEST_F(LanguageTables, NameFromTheLanguageListSurvivesTheReload) {
    // Long names live on the heap, so a name read after the list is rebuilt would be freed
    // memory.
    const std::wstring english = L"English as written in the list of languages";
    const std::wstring other = L"Another language with a name far too long for SSO";
    m_ini.Section(L"Language", {{L"Default", english}, {L"L1", english}, {L"L2", other}});
    m_ini.Section(other, {{L"ID1", L"IDOK"}, {L"TEXT1", L"fine"}});
    m_window.SelectLanguage(nullptr);
    m_ini.m_writes.clear();

    m_window.SelectLanguage(CMultiLanguage::s_languages[1].c_str());

    EXPECT_EQ(CMultiLanguage::s_currentLanguage, other);
    EXPECT_STREQ(CMultiLanguage::GetText(L"IDOK"), L"fine");
    EXPECT_EQ(m_ini.m_writes, std::vector<std::wstring>{L"Language/Default=" + other});
}

TEST_F(LanguageTables, LanguageMissingFromTheFileLeavesNoTextsAndBecomesTheDefault) {
    m_ini.Section(L"Language", {{L"Default", L"English"}, {L"L1", L"English"}});
    m_ini.Section(L"English", {{L"ID1", L"IDOK"}, {L"TEXT1", L"OK"}});
    m_window.SelectLanguage(nullptr);

    m_window.SelectLanguage(L"Klingon");

    EXPECT_TRUE(CMultiLanguage::s_texts.empty());
    EXPECT_EQ(CMultiLanguage::GetText(L"IDOK"), nullptr);
    EXPECT_EQ(CMultiLanguage::s_languages, std::vector<std::wstring>{L"English"});
    EXPECT_EQ((m_ini.m_values[{L"Language", L"Default"}]), L"Klingon");
}

TEST_F(LanguageTables, TextKeysMatchExactly) {
    CMultiLanguage::s_texts = {{L"IDC_STATIC_DEVICES", L"Devices"}};
    EXPECT_STREQ(CMultiLanguage::GetText(L"IDC_STATIC_DEVICES"), L"Devices");
    EXPECT_EQ(CMultiLanguage::GetText(L"idc_static_devices"), nullptr);
    EXPECT_EQ(CMultiLanguage::GetText(L"IDC_STATIC_DEVICES "), nullptr);
    EXPECT_EQ(CMultiLanguage::GetText(L""), nullptr);
    EXPECT_EQ(CMultiLanguage::GetText(nullptr), nullptr);
}

} // namespace
