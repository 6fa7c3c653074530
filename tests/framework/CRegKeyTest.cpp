#include "framework/CRegKey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A unique key under HKEY_CURRENT_USER, removed with everything below it.
class TestKey {
public:
    TestKey() {
        m_path = L"Software\\GearhostTests\\framework-" + std::to_wstring(GetCurrentProcessId()) +
                 L"-" + std::to_wstring(GetTickCount());
    }
    ~TestKey() { RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str()); }
    const wchar_t* Path() const { return m_path.c_str(); }

private:
    std::wstring m_path;
};

TEST(CRegKey, TypedValuesRoundTripAndOtherTypesReadAsMissing) {
    TestKey testKey;
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, testKey.Path()), ERROR_SUCCESS);
    EXPECT_TRUE(key.SetString(L"Name", L"Profile 1"));
    EXPECT_TRUE(key.SetString(L"Empty", L""));
    EXPECT_TRUE(key.SetDword(L"Count", 3));
    const BYTE blob[] = {1, 2, 3, 4, 5};
    EXPECT_TRUE(key.SetBinary(L"Blob", blob, sizeof(blob)));

    CRegKey reader;
    ASSERT_EQ(reader.Open(HKEY_CURRENT_USER, testKey.Path()), ERROR_SUCCESS);
    EXPECT_EQ(reader.QueryString(L"Name"), std::wstring(L"Profile 1"));
    EXPECT_EQ(reader.QueryString(L"Empty"), std::wstring());
    EXPECT_EQ(reader.QueryDword(L"Count"), DWORD(3));
    EXPECT_EQ(reader.QueryBinary(L"Blob"), std::vector<BYTE>(blob, blob + sizeof(blob)));

    EXPECT_EQ(reader.QueryString(L"Missing"), std::nullopt);
    EXPECT_EQ(reader.QueryString(L"Count"), std::nullopt);
    EXPECT_EQ(reader.QueryDword(L"Name"), std::nullopt);
    EXPECT_EQ(reader.QueryBinary(L"Name"), std::nullopt);

    DWORD size = 0;
    RegQueryValueExW(reader.Handle(), L"Name", nullptr, nullptr, nullptr, &size);
    EXPECT_EQ(size, (9u + 1u) * sizeof(wchar_t)); // the terminating null is stored
}

TEST(CRegKey, MalformedStringsAreReadWithinTheirBytes) {
    TestKey testKey;
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, testKey.Path()), ERROR_SUCCESS);
    const wchar_t text[] = L"abc";
    struct Case {
        const wchar_t* name;
        DWORD bytes;
        const wchar_t* expected;
    } cases[] = {
        {L"NoTerminator", 3 * sizeof(wchar_t), L"abc"},
        {L"OddBytes", 5, L"ab"},
        {L"OneByte", 1, L""},
        {L"Nothing", 0, L""},
    };
    for (const Case& c : cases) {
        RegSetValueExW(key.Handle(), c.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       c.bytes);
        EXPECT_EQ(key.QueryString(c.name), std::wstring(c.expected)) << c.name;
    }
    DWORD shortDword = 7;
    RegSetValueExW(key.Handle(), L"ShortDword", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&shortDword), 2);
    EXPECT_EQ(key.QueryDword(L"ShortDword"), std::nullopt);
}

TEST(CRegKey, ClosedOrMissingKeyReadsNothingAndWritesNothing) {
    CRegKey key;
    EXPECT_NE(key.Open(HKEY_CURRENT_USER, L"Software\\GearhostTests\\no\\such\\key"),
              ERROR_SUCCESS);
    EXPECT_FALSE(key);
    EXPECT_EQ(key.QueryString(L"Name"), std::nullopt);
    EXPECT_FALSE(key.SetDword(L"Count", 1));
}

} // namespace
