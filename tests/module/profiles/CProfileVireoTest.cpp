// One profile record: what its constructors hold, the exact stored layout of a slot, and how
// a slot with missing values loads.
#include "module/profiles/CProfileVireo.h"
#include "tests/platform/MemoryKeyValueStore.h"

#include <gtest/gtest.h>

namespace {

using platform::EncodeDword;
using platform::EncodeString;

std::unique_ptr<platform::IKeyValueStore> NewStore() {
    return std::make_unique<testing_support::MemoryKeyValueStore>(
        std::make_shared<testing_support::MemoryKeyNode>(), true);
}

TEST(CProfileVireo, ConstructorsSetTheDocumentedDefaults) {
    const CProfileVireo fresh;
    EXPECT_TRUE(fresh.m_id.empty());
    EXPECT_TRUE(fresh.m_name.empty());
    for (const auto& action : fresh.m_buttonAction)
        EXPECT_TRUE(action.empty());
    EXPECT_EQ(fresh.m_cpi1, 800u);
    EXPECT_EQ(fresh.m_ledIntensity1, 1u);
    EXPECT_EQ(fresh.m_cpi2, 1600u);
    EXPECT_EQ(fresh.m_ledIntensity2, 3u);
    EXPECT_EQ(fresh.m_reportRate, 1000u);

    const CProfileVireo key(L"ID_PROFILE_7");
    EXPECT_EQ(key.m_id, L"ID_PROFILE_7");
    EXPECT_EQ(key.m_buttonEnable, (std::array<std::uint32_t, 5>{1, 1, 1, 1, 1}));

    const CProfileVireo standard = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office");
    EXPECT_EQ(standard.m_name, L"Office");
    EXPECT_EQ(standard.m_buttonAction[1], L"ACTION_ITEM_MIDDLE_BUTTON");
    EXPECT_EQ(standard.m_buttonAction[2], L"ACTION_ITEM_RIGHT_BUTTON");
    EXPECT_EQ(standard.m_buttonEnable, key.m_buttonEnable);
}

TEST(CProfileVireo, SavesOneSlotWithTheStoredNamesAndTypes) {
    auto profiles = NewStore();
    CProfileVireo record = CProfileVireo::MakeStandard(L"ID_PROFILE_5", L"Games");
    record.m_buttonEnable[3] = 0;
    record.m_cpi1 = 2;
    record.m_ledIntensity1 = 4;
    record.m_cpi2 = 5;
    record.m_ledIntensity2 = 6;
    record.m_reportRate = 1;
    record.Save(*profiles, 3);

    auto slot = profiles->OpenKey(L"Profile3");
    ASSERT_TRUE(slot);
    EXPECT_EQ(slot->ValueCount(), 17u);
    EXPECT_EQ(slot->ReadString(L"ID", 259), L"ID_PROFILE_5");
    EXPECT_EQ(slot->ReadString(L"Name", 259), L"Games");
    EXPECT_EQ(slot->ReadString(L"Button0", 259), L"ACTION_ITEM_LEFT_BUTTON");
    EXPECT_EQ(slot->ReadString(L"Button4", 259), L"ACTION_ITEM_BUTTON5");
    EXPECT_EQ(slot->ReadDword(L"Button3_Enable"), 0u);
    EXPECT_EQ(slot->ReadDword(L"Button4_Enable"), 1u);
    EXPECT_EQ(slot->ReadDword(L"CPI1"), 2u);
    EXPECT_EQ(slot->ReadDword(L"LedIntensity1"), 4u);
    EXPECT_EQ(slot->ReadDword(L"CPI2"), 5u);
    EXPECT_EQ(slot->ReadDword(L"LedIntensity2"), 6u);
    EXPECT_EQ(slot->ReadDword(L"ReportRate"), 1u);

    CProfileVireo loaded;
    ASSERT_TRUE(loaded.Load(*profiles, 3));
    EXPECT_EQ(loaded.m_id, record.m_id);
    EXPECT_EQ(loaded.m_buttonAction, record.m_buttonAction);
    EXPECT_EQ(loaded.m_buttonEnable, record.m_buttonEnable);
    EXPECT_EQ(loaded.m_reportRate, 1u);
}

TEST(CProfileVireo, ReadsAnyNonzeroEnableValueAsOn) {
    auto profiles = NewStore();
    auto slot = profiles->CreateKey(L"Profile0");
    slot->WriteString(L"Name", L"A");
    slot->WriteDword(L"Button0_Enable", 7);
    CProfileVireo loaded;
    ASSERT_TRUE(loaded.Load(*profiles, 0));
    EXPECT_EQ(loaded.m_buttonEnable[0], 1u);
}

struct MissingValue {
    const wchar_t* name;
    void (*check)(const CProfileVireo&);
};

TEST(CProfileVireo, LoadsASlotWithAMissingValue) {
    const MissingValue cases[] = {
        {L"ID", [](const CProfileVireo& p) { EXPECT_EQ(p.m_id, L""); }},
        {L"Name", [](const CProfileVireo& p) { EXPECT_EQ(p.m_name, L""); }},
        {L"Button2", [](const CProfileVireo& p) { EXPECT_EQ(p.m_buttonAction[2], L""); }},
        {L"Button2_Enable", [](const CProfileVireo& p) { EXPECT_EQ(p.m_buttonEnable[2], 0u); }},
        {L"CPI1", [](const CProfileVireo& p) { EXPECT_EQ(p.m_cpi1, 800u); }},
        {L"CPI2", [](const CProfileVireo& p) { EXPECT_EQ(p.m_cpi2, 1600u); }},
        {L"ReportRate", [](const CProfileVireo& p) { EXPECT_EQ(p.m_reportRate, 1000u); }},
        {L"LedIntensity1", [](const CProfileVireo& p) { EXPECT_EQ(p.m_ledIntensity1, 0u); }},
        {L"LedIntensity2", [](const CProfileVireo& p) { EXPECT_EQ(p.m_ledIntensity2, 0u); }},
    };
    for (const MissingValue& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        auto root = std::make_shared<testing_support::MemoryKeyNode>();
        testing_support::MemoryKeyValueStore profiles(root, true);
        CProfileVireo stored = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office");
        stored.m_cpi1 = stored.m_cpi2 = stored.m_reportRate = 2;
        stored.m_ledIntensity1 = stored.m_ledIntensity2 = 2;
        stored.Save(profiles, 0);
        root->keys.at(L"Profile0")->values.erase(c.name);

        CProfileVireo loaded;
        EXPECT_TRUE(loaded.Load(profiles, 0)) << "a slot loads even without its name";
        c.check(loaded);
        EXPECT_EQ(loaded.m_buttonAction[0], L"ACTION_ITEM_LEFT_BUTTON") << "the rest is intact";
    }
}

TEST(CProfileVireo, AMissingSlotFailsToLoadAndClearsOnlyTheName) {
    auto profiles = NewStore();
    CProfileVireo record = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office");
    EXPECT_FALSE(record.Load(*profiles, 0));
    EXPECT_EQ(record.m_name, L"");
    EXPECT_EQ(record.m_id, L"ID_PROFILE_1");
}

// The program list is stored as values of their own beside the old ones: a profile that never
// had programs keeps its slot exactly as before, and an emptied list stays empty.
TEST(CProfileVireo, StoresItsProgramsAsNewValuesOnlyOnceItHasHadAny) {
    auto profiles = NewStore();
    CProfileVireo record = CProfileVireo::MakeStandard(L"ID_PROFILE_5", L"Games");
    record.Save(*profiles, 0);
    EXPECT_EQ(profiles->OpenKey(L"Profile0")->ValueCount(), 17u);

    const std::wstring longName = std::wstring(250, L'x') + L".exe";
    record.m_programs = {L"game.exe", longName};
    record.Save(*profiles, 0);
    auto slot = profiles->OpenKey(L"Profile0");
    EXPECT_EQ(slot->ReadDword(L"ProgramCount"), 2u);
    EXPECT_EQ(slot->ReadString(L"Program1", 300), longName);
    CProfileVireo loaded;
    ASSERT_TRUE(loaded.Load(*profiles, 0));
    EXPECT_EQ(loaded.m_programs, record.m_programs);

    record.m_programs.clear();
    record.Save(*profiles, 0);
    ASSERT_TRUE(loaded.Load(*profiles, 0));
    EXPECT_TRUE(loaded.m_programs.empty());
}

TEST(CProfileVireo, LoadsTheProgramValuesPresentUpToTheCount) {
    auto profiles = NewStore();
    auto slot = profiles->CreateKey(L"Profile0");
    slot->WriteString(L"Name", L"A");
    slot->WriteDword(L"ProgramCount", 0xFFFFFFFFu);
    slot->WriteString(L"Program0", L"a.exe");
    slot->WriteString(L"Program2", L"c.exe");
    slot->WriteDword(L"Program3", 4); // damaged: not a text
    CProfileVireo loaded;
    ASSERT_TRUE(loaded.Load(*profiles, 0));
    EXPECT_EQ(loaded.m_programs, (std::vector<std::wstring>{L"a.exe", L"c.exe"}));
}

} // namespace
