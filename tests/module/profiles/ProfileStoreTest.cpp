// The profile list in the module store, on the in-memory double and on the real registry.
#include "module/profiles/ProfileStore.h"
#include "tests/platform/StoreUnderTest.h"

#include <gtest/gtest.h>

namespace {

using platform::EncodeDword;
using platform::EncodeString;
using platform::StoredValue;
using platform::ValueType;
using testing_support::StoreKind;

// The tick new IDs are made from at load.
constexpr std::uint32_t kTick = 7;

CProfileVireo Record(const std::wstring& id, const std::wstring& name, std::uint32_t cpi = 0) {
    CProfileVireo record = CProfileVireo::MakeStandard(id, name);
    record.m_cpi1 = cpi;
    record.m_reportRate = cpi + 1;
    record.m_ledIntensity1 = cpi + 2;
    return record;
}

std::vector<std::wstring> Names(const CProfileList& list) {
    std::vector<std::wstring> names;
    for (const CProfileVireo& record : list)
        names.push_back(record.m_name);
    return names;
}

void ExpectSameRecords(const CProfileList& actual, const CProfileList& expected) {
    ASSERT_EQ(actual.Count(), expected.Count());
    auto a = actual.begin();
    for (const CProfileVireo& e : expected) {
        EXPECT_EQ(a->m_id, e.m_id);
        EXPECT_EQ(a->m_name, e.m_name);
        EXPECT_EQ(a->m_buttonAction, e.m_buttonAction);
        EXPECT_EQ(a->m_buttonEnable, e.m_buttonEnable);
        EXPECT_EQ(a->m_cpi1, e.m_cpi1);
        EXPECT_EQ(a->m_ledIntensity1, e.m_ledIntensity1);
        EXPECT_EQ(a->m_cpi2, e.m_cpi2);
        EXPECT_EQ(a->m_ledIntensity2, e.m_ledIntensity2);
        EXPECT_EQ(a->m_reportRate, e.m_reportRate);
        ++a;
    }
}

class ProfileStore : public testing::TestWithParam<StoreKind> {
protected:
    std::unique_ptr<testing_support::StoreUnderTest> m_store =
        testing_support::MakeStore(GetParam());
    std::unique_ptr<platform::IKeyValueStore> m_root = m_store->Root();

    // Three saved profiles: A (current), B, C.
    CProfileList SaveThree() {
        CProfileList list;
        list.Append(Record(L"ID_PROFILE_1", L"A", 1));
        list.Append(Record(L"ID_PROFILE_2", L"B", 2));
        list.Append(Record(L"ID_PROFILE_3", L"C", 3));
        SaveProfiles(m_root.get(), list, L"ID_PROFILE_1");
        return list;
    }

    CProfileList Load(std::wstring* current = nullptr) {
        CProfileList list;
        std::wstring id = L"stale";
        LoadProfiles(m_root.get(), list, id, kTick);
        if (current)
            *current = id;
        return list;
    }
};

TEST_P(ProfileStore, SaveThenLoadReproducesListOrderAndCurrentId) {
    CProfileList saved = SaveThree();
    saved.At(1)->m_buttonEnable[2] = 0;
    saved.At(1)->m_buttonAction[4] = L"ID_ACTION_77";
    saved.At(2)->m_name = std::wstring(259, L'n');
    SaveProfiles(m_root.get(), saved, L"ID_PROFILE_2");

    EXPECT_EQ(m_store->Raw(L"Profiles", L"Count"), EncodeDword(3));
    EXPECT_EQ(m_store->Raw(L"Profiles", L"CurrentProfileID"), EncodeString(L"ID_PROFILE_2"));
    std::wstring current;
    const CProfileList loaded = Load(&current);
    ExpectSameRecords(loaded, saved);
    EXPECT_EQ(current, L"ID_PROFILE_2");
}

TEST_P(ProfileStore, AFreshStoreLoadsEmpty) {
    std::wstring current;
    EXPECT_EQ(Load(&current).Count(), 0u);
    EXPECT_EQ(current, L"");

    CProfileList list;
    list.Append(Record(L"x", L"X"));
    current = L"x";
    LoadProfiles(nullptr, list, current, kTick);
    EXPECT_EQ(list.Count(), 0u) << "no store at all";
    EXPECT_EQ(current, L"");
}

TEST_P(ProfileStore, SkipsMissingSlotsAndDropsNothingElse) {
    SaveThree();
    m_store->RemoveKey(L"Profiles\\Profile1");
    EXPECT_EQ(Names(Load()), (std::vector<std::wstring>{L"A", L"C"}));
}

TEST_P(ProfileStore, DeletingThenSavingLeavesTheOldLastSlotUnread) {
    CProfileList list = SaveThree();
    list.Remove(L"ID_PROFILE_1");
    SaveProfiles(m_root.get(), list, L"ID_PROFILE_1");

    EXPECT_EQ(m_store->Raw(L"Profiles", L"Count"), EncodeDword(2));
    EXPECT_EQ(m_store->Raw(L"Profiles\\Profile0", L"Name"), EncodeString(L"B"));
    EXPECT_EQ(m_store->Raw(L"Profiles\\Profile1", L"Name"), EncodeString(L"C"));
    EXPECT_EQ(m_store->Raw(L"Profiles\\Profile2", L"Name"), EncodeString(L"C"));
    EXPECT_EQ(Names(Load()), (std::vector<std::wstring>{L"B", L"C"}));
}

TEST_P(ProfileStore, ADamagedCountStopsAtTheSlotsThatExist) {
    const StoredValue counts[] = {
        EncodeDword(4294967295u),
        EncodeString(L"3"),
        StoredValue{ValueType::Binary, {3, 0, 0, 0}},
    };
    SaveThree();
    for (const StoredValue& count : counts) {
        m_store->SetRaw(L"Profiles", L"Count", count);
        EXPECT_EQ(Names(Load()), (std::vector<std::wstring>{L"A", L"B", L"C"}));
    }
    m_store->RemoveValue(L"Profiles", L"Count");
    EXPECT_EQ(Names(Load()), (std::vector<std::wstring>{L"A", L"B", L"C"}));
}

TEST_P(ProfileStore, DamagedValuesSpoilOnlyTheirOwnField) {
    SaveThree();
    std::vector<std::uint8_t> unterminated = EncodeString(L"Bee").bytes;
    unterminated.resize(unterminated.size() - 2);
    std::vector<std::uint8_t> oddName = EncodeString(L"Cee").bytes;
    oddName.resize(oddName.size() - 3);
    m_store->SetRaw(L"Profiles\\Profile0", L"Name", {ValueType::Binary, {'A', 0, 0, 0}});
    m_store->SetRaw(L"Profiles\\Profile0", L"CPI1", EncodeString(L"2"));
    m_store->SetRaw(L"Profiles\\Profile1", L"Name", {ValueType::String, unterminated});
    m_store->SetRaw(L"Profiles\\Profile1", L"Button1_Enable", {ValueType::Dword, {1, 0}});
    m_store->SetRaw(L"Profiles\\Profile2", L"Name", {ValueType::String, oddName});
    m_store->SetRaw(L"Profiles\\Profile2", L"ReportRate", {ValueType::Binary, {3, 0, 0, 0}});

    const CProfileList loaded = Load();
    EXPECT_EQ(Names(loaded), (std::vector<std::wstring>{L"", L"Bee", L"Ce"}));
    auto it = loaded.begin();
    EXPECT_EQ(it->m_cpi1, 800u);
    EXPECT_EQ(it->m_buttonAction[0], L"ACTION_ITEM_LEFT_BUTTON");
    ++it;
    EXPECT_EQ(it->m_buttonEnable[1], 0u);
    EXPECT_EQ(it->m_buttonEnable[0], 1u);
    ++it;
    EXPECT_EQ(it->m_reportRate, 1000u);
    EXPECT_EQ(it->m_cpi1, 3u);
}

TEST_P(ProfileStore, TextsLongerThan259CharactersLoadCutTo259) {
    m_store->SetRaw(L"Profiles\\Profile0", L"Name", EncodeString(std::wstring(259, L'a')));
    m_store->SetRaw(L"Profiles\\Profile0", L"ID", EncodeString(std::wstring(260, L'i')));
    m_store->SetRaw(L"Profiles\\Profile0", L"Button0", EncodeString(std::wstring(5000, L'b')));
    m_store->SetRaw(L"Profiles", L"CurrentProfileID", EncodeString(std::wstring(260, L'i')));
    m_store->SetRaw(L"Profiles", L"Count", EncodeDword(1));
    std::wstring current;
    const CProfileList loaded = Load(&current);
    ASSERT_EQ(loaded.Count(), 1u);
    EXPECT_EQ(loaded.begin()->m_name, std::wstring(259, L'a'));
    EXPECT_EQ(loaded.begin()->m_id, std::wstring(259, L'i'));
    EXPECT_EQ(loaded.begin()->m_buttonAction[0], std::wstring(259, L'b'));
    EXPECT_EQ(current, loaded.begin()->m_id) << "cut alike, the current ID still names it";
}

TEST_P(ProfileStore, EmptyOrRepeatedIdsGetNewOnesThatTheNextSaveStores) {
    const std::optional<StoredValue> missing;
    struct Case {
        const char* what;
        std::vector<std::optional<StoredValue>> storedIds;
        std::wstring storedCurrent;
        std::vector<std::wstring> ids;
        std::wstring current;
    };
    const std::vector<Case> cases = {
        {"two empty IDs, the current one empty",
         {EncodeString(L""), EncodeString(L"")},
         L"",
         {L"ID_PROFILE_7", L"ID_PROFILE_8"},
         L"ID_PROFILE_7"},
        {"a repeated ID stays with its first holder",
         {EncodeString(L"A"), EncodeString(L"A"), EncodeString(L"B")},
         L"A",
         {L"A", L"ID_PROFILE_7", L"B"},
         L"A"},
        {"an ID missing or stored as a number",
         {EncodeString(L"A"), missing, EncodeDword(7)},
         L"",
         {L"A", L"ID_PROFILE_7", L"ID_PROFILE_8"},
         L"ID_PROFILE_7"},
        {"new IDs skip those taken and the current one, even when it names no profile",
         {EncodeString(L""), EncodeString(L"ID_PROFILE_7")},
         L"ID_PROFILE_8",
         {L"ID_PROFILE_9", L"ID_PROFILE_7"},
         L"ID_PROFILE_8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_store->RemoveKey(L"Profiles");
        CProfileList stored;
        for (std::size_t i = 0; i < c.storedIds.size(); ++i)
            stored.Append(Record(L"x", L"P" + std::to_wstring(i)));
        SaveProfiles(m_root.get(), stored, c.storedCurrent);
        for (std::size_t i = 0; i < c.storedIds.size(); ++i) {
            const std::wstring slot = L"Profiles\\Profile" + std::to_wstring(i);
            m_store->RemoveValue(slot, L"ID");
            if (c.storedIds[i])
                m_store->SetRaw(slot, L"ID", *c.storedIds[i]);
        }

        std::wstring current;
        CProfileList loaded = Load(&current);
        std::vector<std::wstring> ids;
        for (const CProfileVireo& record : loaded)
            ids.push_back(record.m_id);
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(current, c.current);

        // Every record is now reachable by its ID, and the repair is what gets stored.
        loaded.Rename(c.ids.back(), L"renamed");
        EXPECT_EQ(loaded.At(c.ids.size() - 1)->m_name, L"renamed");
        SaveProfiles(m_root.get(), loaded, current);
        for (std::size_t i = 0; i < c.ids.size(); ++i)
            EXPECT_EQ(m_store->Raw(L"Profiles\\Profile" + std::to_wstring(i), L"ID"),
                      EncodeString(c.ids[i]));
        EXPECT_EQ(m_store->Raw(L"Profiles", L"CurrentProfileID"), EncodeString(c.current));
    }
}

TEST_P(ProfileStore, SavingToAReadOnlyStoreWritesNothingAndKeepsTheList) {
    SaveThree();
    const auto before = m_store->Snapshot();
    CProfileList list = Load();
    list.Rename(L"ID_PROFILE_1", L"Renamed");
    list.Append(Record(L"ID_PROFILE_9", L"New"));

    auto readOnly = m_store->Root(false);
    ASSERT_TRUE(readOnly);
    SaveProfiles(readOnly.get(), list, L"ID_PROFILE_9");
    SaveProfiles(nullptr, list, L"ID_PROFILE_9");

    EXPECT_EQ(m_store->Snapshot(), before);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"Renamed", L"B", L"C", L"New"}));
}

TEST_P(ProfileStore, RestoreReadsTheSlotHoldingTheCurrentId) {
    CProfileList list = SaveThree();
    // Unsaved: the first profile deleted, so C now sits at position 1 but is stored in slot 2.
    list.Remove(L"ID_PROFILE_1");
    CProfileVireo* c = list.FindProfile(L"ID_PROFILE_3");
    c->m_name = L"edited";
    c->m_cpi1 = 0;
    RestoreCurrentProfile(m_root.get(), list, L"ID_PROFILE_3");
    EXPECT_EQ(c->m_name, L"C");
    EXPECT_EQ(c->m_cpi1, 3u);
    EXPECT_EQ(list.FindProfile(L"ID_PROFILE_2")->m_name, L"B");

    // A profile never saved keeps what it holds.
    CProfileVireo& copy = list.Copy(*c, 5);
    copy.m_name = L"unsaved";
    RestoreCurrentProfile(m_root.get(), list, copy.m_id);
    EXPECT_EQ(copy.m_name, L"unsaved");

    RestoreCurrentProfile(m_root.get(), list, L"ID_PROFILE_MISSING");
    RestoreCurrentProfile(nullptr, list, L"ID_PROFILE_3");
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"B", L"C", L"unsaved"}));
}

INSTANTIATE_TEST_SUITE_P(Stores, ProfileStore,
                         testing::Values(StoreKind::Memory, StoreKind::Registry),
                         [](const auto& info) {
                             return testing_support::StoreKindName(info.param);
                         });

} // namespace
