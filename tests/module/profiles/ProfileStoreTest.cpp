// The profile list in the module store, on the in-memory double and on the real registry.
#include "module/profiles/ProfileStore.h"
#include "tests/platform/StoreUnderTest.h"

#include <gtest/gtest.h>

#include <functional>

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

// What a save wrote before it compared with the store: every value of every record.
void FullRewrite(const CProfileList& list, const std::wstring& currentId,
                 platform::IKeyValueStore& root) {
    auto key = root.CreateKey(L"Profiles");
    ASSERT_TRUE(key);
    key->WriteDword(L"Count", static_cast<std::uint32_t>(list.Count()));
    key->WriteString(L"CurrentProfileID", currentId);
    std::size_t slot = 0;
    for (const CProfileVireo& record : list)
        record.Save(*key, slot++);
}

std::wstring Slot(int index) {
    return L"Profiles\\Profile" + std::to_wstring(index);
}

StoredValue Bytes(ValueType type, std::size_t size, std::uint8_t fill = 1) {
    return StoredValue{type, std::vector<std::uint8_t>(size, fill)};
}

// The bad-input corpus of the profile store. Each case damages the three saved profiles; the
// list then loads every valid record as `expect` makes it (with the current ID) and a safe
// default for every unusable value. Two edits and saves later nothing valid is lost, and each
// save, which writes only what differs, leaves the store as a full rewrite leaves it.
TEST_P(ProfileStore, BadInputLosesNothingValidAndSavesAsAFullRewrite) {
    using Store = testing_support::StoreUnderTest;
    struct Case {
        const char* what;
        std::function<void(Store&)> damage;
        std::function<void(CProfileList&, std::wstring&)> expect;
    };
    const auto keep = [](CProfileList&, std::wstring&) {};
    const auto setCount = [](StoredValue count) {
        return [count](Store& store) { store.SetRaw(L"Profiles", L"Count", count); };
    };
    const std::vector<Case> cases = {
        {"count 0: every slot is stale, the current ID names nothing", setCount(EncodeDword(0)),
         [](CProfileList& list, std::wstring&) { list.Clear(); }},
        {"count 1: the slots above are stale", setCount(EncodeDword(1)),
         [](CProfileList& list, std::wstring&) {
             list.Remove(L"ID_PROFILE_2");
             list.Remove(L"ID_PROFILE_3");
         }},
        {"count 2^31 with three slots", setCount(EncodeDword(0x80000000u)), keep},
        {"count 2^32-1 with three slots", setCount(EncodeDword(0xFFFFFFFFu)), keep},
        {"count of 8 bytes", setCount(Bytes(ValueType::Qword, 8, 0)), keep},
        {"count of 2 bytes", setCount(Bytes(ValueType::Dword, 2)), keep},
        {"names and button actions of 5,000 characters",
         [](Store& store) {
             store.SetRaw(Slot(0), L"Name", EncodeString(std::wstring(5000, L'n')));
             store.SetRaw(Slot(2), L"Button4", EncodeString(std::wstring(5000, L'b')));
         },
         [](CProfileList& list, std::wstring&) {
             list.At(0)->m_name = std::wstring(259, L'n');
             list.At(2)->m_buttonAction[4] = std::wstring(259, L'b');
         }},
        {"an ID in two slots",
         [](Store& store) { store.SetRaw(Slot(2), L"ID", EncodeString(L"ID_PROFILE_1")); },
         [](CProfileList& list, std::wstring&) { list.At(2)->m_id = L"ID_PROFILE_7"; }},
        {"a current ID that names no profile",
         [](Store& store) {
             store.SetRaw(L"Profiles", L"CurrentProfileID", EncodeString(L"ID_PROFILE_GONE"));
         },
         [](CProfileList&, std::wstring& current) { current = L"ID_PROFILE_GONE"; }},
        {"a current ID stored as a number",
         [](Store& store) { store.SetRaw(L"Profiles", L"CurrentProfileID", EncodeDword(1)); },
         [](CProfileList&, std::wstring& current) { current.clear(); }},
        {"numbers stored as text, binary and 64-bit values, texts as numbers",
         [](Store& store) {
             store.SetRaw(Slot(1), L"CPI1", EncodeString(L"2"));
             store.SetRaw(Slot(1), L"CPI2", Bytes(ValueType::Binary, 4));
             store.SetRaw(Slot(1), L"ReportRate", Bytes(ValueType::Qword, 8));
             store.SetRaw(Slot(1), L"LedIntensity1", Bytes(ValueType::Dword, 5));
             store.SetRaw(Slot(1), L"LedIntensity2", EncodeString(L"3"));
             store.SetRaw(Slot(1), L"Button1_Enable", EncodeString(L"1"));
             store.SetRaw(Slot(1), L"Button2", EncodeDword(2));
         },
         [](CProfileList& list, std::wstring&) {
             CProfileVireo& b = *list.At(1);
             b.m_cpi1 = 800;
             b.m_cpi2 = 1600;
             b.m_reportRate = 1000;
             b.m_ledIntensity1 = 0;
             b.m_ledIntensity2 = 0;
             b.m_buttonEnable[1] = 0;
             b.m_buttonAction[2].clear();
         }},
        {"a name without its terminator",
         [](Store& store) {
             StoredValue open = EncodeString(L"B");
             open.bytes.resize(open.bytes.size() - 2);
             store.SetRaw(Slot(1), L"Name", open);
         },
         keep},
        {"a missing slot moves the later ones down", [](Store& store) { store.RemoveKey(Slot(1)); },
         [](CProfileList& list, std::wstring&) { list.Remove(L"ID_PROFILE_2"); }},
        {"keys that are not slots",
         [](Store& store) {
             for (const wchar_t* name : {L"Profile01", L"ProfileX", L"Profile-1"})
                 store.SetRaw(std::wstring(L"Profiles\\") + name, L"Name", EncodeString(L"junk"));
         },
         keep},
    };

    // Two edits, saved in turn: one profile renamed; then one removed and one added, current.
    const std::vector<std::function<void(CProfileList&, std::wstring&)>> edits = {
        [](CProfileList& list, std::wstring&) {
            if (!list.Empty())
                list.begin()->m_name = L"renamed";
        },
        [](CProfileList& list, std::wstring& current) {
            if (!list.Empty())
                list.Remove(list.begin()->m_id);
            current = list.Copy(CProfileVireo::MakeStandard(L"", L"new"), 500).m_id;
        },
    };

    const auto damaged = [&](const Case& c) {
        auto store = testing_support::MakeStore(GetParam());
        auto root = store->Root();
        CProfileList sample;
        sample.Append(Record(L"ID_PROFILE_1", L"A", 1));
        sample.Append(Record(L"ID_PROFILE_2", L"B", 2));
        sample.Append(Record(L"ID_PROFILE_3", L"C", 3));
        SaveProfiles(root.get(), sample, L"ID_PROFILE_1");
        c.damage(*store);
        return std::make_pair(std::move(store), sample);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto [store, expected] = damaged(c);
        std::wstring expectedCurrent = L"ID_PROFILE_1";
        c.expect(expected, expectedCurrent);

        auto root = store->Root();
        CProfileList list;
        std::wstring current;
        LoadProfiles(root.get(), list, current, kTick);
        ExpectSameRecords(list, expected);
        EXPECT_EQ(current, expectedCurrent);

        auto rewritten = damaged(c).first;
        auto rewrittenRoot = rewritten->Root();
        CProfileList reference;
        std::wstring referenceCurrent;
        LoadProfiles(rewrittenRoot.get(), reference, referenceCurrent, kTick);

        for (const auto& edit : edits) {
            edit(expected, expectedCurrent);
            edit(list, current);
            edit(reference, referenceCurrent);
            SaveProfiles(root.get(), list, current);
            FullRewrite(reference, referenceCurrent, *rewrittenRoot);
            EXPECT_EQ(store->Snapshot(), rewritten->Snapshot());

            CProfileList reloaded;
            std::wstring reloadedCurrent;
            LoadProfiles(root.get(), reloaded, reloadedCurrent, kTick);
            ExpectSameRecords(reloaded, expected);
            EXPECT_EQ(reloadedCurrent, expectedCurrent);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, ProfileStore,
                         testing::Values(StoreKind::Memory, StoreKind::Registry),
                         [](const auto& info) {
                             return testing_support::StoreKindName(info.param);
                         });

} // namespace
