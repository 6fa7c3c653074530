// The key/value store seam as the stores see it, on the real registry and on the in-memory
// double alike: the layout of what is written and how damaged values read back.
#include "tests/platform/StoreUnderTest.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using platform::StoredValue;
using platform::ValueType;
using testing_support::StoreKind;

std::vector<std::uint8_t> Utf16(const std::wstring& text, bool terminated) {
    std::vector<std::uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    if (terminated) {
        bytes.push_back(0);
        bytes.push_back(0);
    }
    return bytes;
}

StoredValue Stored(ValueType type, std::vector<std::uint8_t> bytes) {
    return StoredValue{type, std::move(bytes)};
}

class KeyValueStoreContract : public testing::TestWithParam<StoreKind> {
protected:
    std::unique_ptr<testing_support::StoreUnderTest> m_store =
        testing_support::MakeStore(GetParam());
};

TEST_P(KeyValueStoreContract, WritesStringsWithTerminatorAndNumbersAsFourBytes) {
    auto root = m_store->Root();
    ASSERT_TRUE(root);
    auto key = root->CreateKey(L"A\\B");
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->WriteString(L"Name", L"Office"));
    EXPECT_TRUE(key->WriteString(L"Empty", L""));
    EXPECT_TRUE(key->WriteDword(L"Count", 0x01020304));
    EXPECT_TRUE(key->WriteBinary(L"Input1", {1, 2, 3}));

    EXPECT_EQ(m_store->Raw(L"A\\B", L"Name"),
              (StoredValue{ValueType::String, Utf16(L"Office", true)}));
    EXPECT_EQ(m_store->Raw(L"A\\B", L"Empty"), (StoredValue{ValueType::String, {0, 0}}));
    EXPECT_EQ(m_store->Raw(L"A\\B", L"Count"), (StoredValue{ValueType::Dword, {4, 3, 2, 1}}));
    EXPECT_EQ(m_store->Raw(L"A\\B", L"Input1"), (StoredValue{ValueType::Binary, {1, 2, 3}}));

    auto reread = root->OpenKey(L"a\\b");
    ASSERT_TRUE(reread) << "key names ignore case";
    EXPECT_EQ(reread->ReadString(L"Name", 259), L"Office");
    EXPECT_EQ(reread->ReadString(L"Empty", 259), L"");
    EXPECT_EQ(reread->ReadDword(L"Count"), 0x01020304u);
    EXPECT_EQ(reread->ReadBinary(L"Input1", 28), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(reread->ValueCount(), 4u);
    EXPECT_EQ(root->SubKeyNames(), std::vector<std::wstring>{L"A"});
    EXPECT_FALSE(root->OpenKey(L"A\\Missing"));
    EXPECT_FALSE(reread->ReadString(L"Missing", 259));
    EXPECT_FALSE(reread->HasValue(L"Missing"));
    EXPECT_TRUE(reread->HasValue(L"empty")) << "value names ignore case";
}

struct DamagedValue {
    const char* what;
    StoredValue stored;
    std::optional<std::wstring> asString; // read with a limit of 5 characters
    std::optional<std::uint32_t> asDword;
    std::optional<std::vector<std::uint8_t>> asBinary; // read with a limit of 4 bytes
};

TEST_P(KeyValueStoreContract, DamagedValuesReadWithinWhatWasStoredCutOrAsMissing) {
    const std::vector<std::uint8_t> abc = Utf16(L"abc", false);
    std::vector<std::uint8_t> oddAb = Utf16(L"ab", false);
    oddAb.push_back('c');
    std::vector<std::uint8_t> embeddedNull = Utf16(L"ab", true);
    const auto tail = Utf16(L"cdefgh", true);
    embeddedNull.insert(embeddedNull.end(), tail.begin(), tail.end());

    std::wstring long5000;
    while (long5000.size() < 5000)
        long5000 += L"xyz";
    long5000.resize(5000);

    const auto none = std::nullopt;
    const std::vector<DamagedValue> cases = {
        {"terminated string", Stored(ValueType::String, Utf16(L"abc", true)), L"abc", none, none},
        {"string without terminator", Stored(ValueType::String, abc), L"abc", none, none},
        {"string with an odd byte count", Stored(ValueType::String, oddAb), L"ab", none, none},
        {"string of zero bytes", Stored(ValueType::String, {}), L"", none, none},
        {"string at the limit", Stored(ValueType::String, Utf16(L"hello", true)), L"hello", none,
         none},
        {"string over the limit", Stored(ValueType::String, Utf16(L"hello!", true)), L"hello", none,
         none},
        {"unterminated string over the limit", Stored(ValueType::String, Utf16(L"hello!", false)),
         L"hello", none, none},
        {"string of 5000 characters", Stored(ValueType::String, Utf16(long5000, true)), L"xyzxy",
         none, none},
        {"long value with an early null", Stored(ValueType::String, embeddedNull), L"ab", none,
         none},
        {"binary where a string is expected", Stored(ValueType::Binary, abc), none, none, none},
        {"string where a number is expected", Stored(ValueType::String, Utf16(L"7", true)), L"7",
         none, none},
        {"number of two bytes", Stored(ValueType::Dword, {7, 0}), none, none, none},
        {"64-bit number", Stored(ValueType::Qword, {7, 0, 0, 0, 0, 0, 0, 0}), none, none, none},
        {"number", Stored(ValueType::Dword, {7, 0, 0, 0}), none, 7u, none},
        {"binary at the limit", Stored(ValueType::Binary, {1, 2, 3, 4}), none, none,
         std::vector<std::uint8_t>{1, 2, 3, 4}},
        {"binary over the limit", Stored(ValueType::Binary, {1, 2, 3, 4, 5}), none, none, none},
    };
    auto root = m_store->Root();
    ASSERT_TRUE(root);
    for (const DamagedValue& c : cases) {
        SCOPED_TRACE(c.what);
        m_store->SetRaw(L"", L"Value", c.stored);
        EXPECT_TRUE(root->HasValue(L"Value"));
        EXPECT_EQ(root->ReadString(L"Value", 5), c.asString);
        EXPECT_EQ(root->ReadDword(L"Value"), c.asDword);
        EXPECT_EQ(root->ReadBinary(L"Value", 4), c.asBinary);
        // The raw read gives any value as stored (the registry may have added a terminator
        // to a string), within its bound.
        const auto raw = m_store->Raw(L"", L"Value");
        ASSERT_TRUE(raw);
        EXPECT_EQ(raw->type, c.stored.type);
        EXPECT_EQ(root->ReadValue(L"Value", SIZE_MAX), raw);
        EXPECT_EQ(root->ReadValue(L"Value", raw->bytes.size()), raw);
        if (!raw->bytes.empty()) {
            EXPECT_FALSE(root->ReadValue(L"Value", raw->bytes.size() - 1));
        }
    }
    EXPECT_FALSE(root->ReadValue(L"Missing", SIZE_MAX));
}

TEST_P(KeyValueStoreContract, AReadOnlyKeyTakesNoWritesAndGivesOnlyReadOnlyKeys) {
    m_store->SetRaw(L"Profiles", L"Count", platform::EncodeDword(1));
    const auto before = m_store->Snapshot();

    auto root = m_store->Root(false);
    ASSERT_TRUE(root);
    EXPECT_FALSE(root->CreateKey(L"New"));
    EXPECT_FALSE(root->CreateKey(L"Profiles"));
    EXPECT_FALSE(root->WriteDword(L"Count", 2));
    auto profiles = root->OpenKey(L"Profiles");
    ASSERT_TRUE(profiles);
    EXPECT_EQ(profiles->ReadDword(L"Count"), 1u);
    EXPECT_FALSE(profiles->WriteDword(L"Count", 2));
    EXPECT_FALSE(profiles->CreateKey(L"Profile0"));

    EXPECT_EQ(m_store->Snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Stores, KeyValueStoreContract,
                         testing::Values(StoreKind::Memory, StoreKind::Registry),
                         [](const auto& info) {
                             return testing_support::StoreKindName(info.param);
                         });

} // namespace
