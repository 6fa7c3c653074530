#include "platform/Win32IniFile.h"
#include "tests/support/TempDir.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using testing_support::TempDir;

std::string Utf16WithBom(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string Ansi(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    return bytes;
}

// A character of the ANSI code page beyond ASCII, so the file's encoding matters.
std::wstring AnsiLetter() {
    BOOL lossy = FALSE;
    char byte[4];
    WideCharToMultiByte(CP_ACP, 0, L"\u00e9", 1, byte, 4, nullptr, &lossy);
    return lossy ? L"e" : L"\u00e9";
}

struct Encoding {
    const char* name;
    std::string (*encode)(const std::wstring&);
    std::wstring letter;
};

class IniFileReads : public testing::TestWithParam<Encoding> {
protected:
    TempDir m_dir;
    Win32IniFile m_ini;
    std::wstring m_file = m_dir.File(L"test.ini");
};

TEST_P(IniFileReads, ValuesArriveTrimmedUnquotedAndCutWhateverTheCaseOfNames) {
    const std::wstring letter = GetParam().letter;
    const std::wstring longValue(300, L'x');
    m_dir.Write(L"test.ini", GetParam().encode(L"[Fran" + letter +
                                               L"ais]\r\n"
                                               L"Plain=Caf" +
                                               letter +
                                               L"\r\n"
                                               L"Spaced =   two words   \r\n"
                                               L"Quoted=\"  kept inside  \"\r\n"
                                               L"Empty=\r\n"
                                               L"Long=" +
                                               longValue + L"\r\n"));
    const std::wstring section = L"FRAN" + letter + L"AIS";
    struct Case {
        const wchar_t* key;
        std::wstring expected;
    } cases[] = {
        {L"plain", L"Caf" + letter},     {L"SPACED", L"two words"},
        {L"Quoted", L"  kept inside  "}, {L"Empty", L""},
        {L"Missing", L"<default>"},      {L"Long", longValue.substr(0, 259)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_ini.ReadString(m_file, section, c.key, L"<default>"), c.expected) << c.key;
    EXPECT_EQ(m_ini.ReadString(m_file, L"Other", L"Plain", L"<default>"), L"<default>");
}

TEST_P(IniFileReads, ASectionReadGivesEachLineAsASingleReadGivesItsValue) {
    const std::wstring letter = GetParam().letter;
    const std::wstring longValue(300, L'x');
    m_dir.Write(L"test.ini", GetParam().encode(L"[Other]\r\n"
                                               L"Plain=elsewhere\r\n"
                                               L"[Caf" +
                                               letter +
                                               L"]\r\n"
                                               L"Plain=Caf" +
                                               letter +
                                               L"\r\n"
                                               L"Spaced =   two words   \r\n"
                                               L"Quoted=\"  kept inside  \"\r\n"
                                               L"Single='one'\r\n"
                                               L"Bare line\r\n"
                                               L"Empty=\r\n"
                                               L"plain=second\r\n"
                                               L"Long=\"" +
                                               longValue + L"\"\r\n"));
    const std::vector<IniEntry> entries = m_ini.ReadSection(m_file, L"CAF" + letter);
    std::vector<std::wstring> lines;
    for (const IniEntry& entry : entries)
        lines.push_back(entry.key + L"=" + entry.value);
    EXPECT_EQ(lines,
              (std::vector<std::wstring>{L"Plain=Caf" + letter, L"Spaced=two words",
                                         L"Quoted=  kept inside  ", L"Single=one", L"Empty=",
                                         L"plain=second", L"Long=" + longValue.substr(0, 259)}));
    EXPECT_EQ(m_ini.ReadString(m_file, L"CAF" + letter, L"Single", L""), L"one");
    EXPECT_EQ(m_ini.ReadString(m_file, L"CAF" + letter, L"Long", L""), longValue.substr(0, 259));
    EXPECT_TRUE(m_ini.ReadSection(m_file, L"Missing").empty());
    EXPECT_TRUE(m_ini.ReadSection(m_dir.File(L"absent.ini"), L"Other").empty());
    EXPECT_TRUE(m_ini.ReadSection(L"", L"Other").empty());
}

TEST_P(IniFileReads, ASectionFarLargerThanTheFirstBufferArrivesWhole) {
    std::wstring text = L"[Big]\r\n";
    for (int i = 1; i <= 20000; ++i)
        text += L"Key" + std::to_wstring(i) + L"=Value number " + std::to_wstring(i) + L"\r\n";
    text += L"[After]\r\nKey1=after\r\n";
    m_dir.Write(L"test.ini", GetParam().encode(text));
    const std::vector<IniEntry> entries = m_ini.ReadSection(m_file, L"Big");
    ASSERT_EQ(entries.size(), 20000u);
    EXPECT_EQ(entries.front().key, L"Key1");
    EXPECT_EQ(entries.back().key, L"Key20000");
    EXPECT_EQ(entries.back().value, L"Value number 20000");
}

TEST_P(IniFileReads, WritesKeepTheFileReadable) {
    const std::wstring letter = GetParam().letter;
    m_dir.Write(L"test.ini",
                GetParam().encode(L"[Language]\r\nDefault=English\r\nL1=Caf" + letter + L"\r\n"));
    EXPECT_TRUE(m_ini.WriteString(m_file, L"language", L"DEFAULT", L"Caf" + letter));
    EXPECT_TRUE(m_ini.WriteString(m_file, L"New", L"Key", L"value"));
    EXPECT_EQ(m_ini.ReadString(m_file, L"Language", L"Default", L""), L"Caf" + letter);
    EXPECT_EQ(m_ini.ReadString(m_file, L"Language", L"L1", L""), L"Caf" + letter);
    EXPECT_EQ(m_ini.ReadString(m_file, L"New", L"Key", L""), L"value");
}

INSTANTIATE_TEST_SUITE_P(Encodings, IniFileReads,
                         testing::Values(Encoding{"Utf16WithBom", Utf16WithBom, L"\u00e7"},
                                         Encoding{"Ansi", Ansi, AnsiLetter()}),
                         [](const testing::TestParamInfo<Encoding>& info) {
                             return std::string(info.param.name);
                         });

TEST(IniFileWrites, CreateTheFileOnlyWhereItsFolderExists) {
    TempDir dir;
    Win32IniFile ini;
    EXPECT_TRUE(ini.WriteString(dir.File(L"new.ini"), L"Language", L"Default", L"English"));
    EXPECT_EQ(ini.ReadString(dir.File(L"new.ini"), L"Language", L"Default", L""), L"English");

    const std::wstring nowhere = dir.File(L"absent\\new.ini");
    EXPECT_FALSE(ini.WriteString(nowhere, L"Language", L"Default", L"English"));
    EXPECT_EQ(GetFileAttributesW(nowhere.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ini.ReadString(nowhere, L"Language", L"Default", L"none"), L"none");
}

TEST(IniFileWrites, EmptyFileNameNeverReachesTheSystemIniFile) {
    Win32IniFile ini;
    EXPECT_FALSE(ini.WriteString(L"", L"GearhostIniTest", L"Key", L"value"));
    EXPECT_EQ(ini.ReadString(L"", L"GearhostIniTest", L"Key", L"none"), L"none");
    wchar_t value[16] = {};
    GetProfileStringW(L"GearhostIniTest", L"Key", L"", value, 16);
    EXPECT_STREQ(value, L"");
}

} // namespace
