// The action list in the module store, on the in-memory double and on the real registry.
#include "module/actions/CCustomActionList.h"
#include "tests/platform/StoreUnderTest.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using platform::EncodeDword;
using platform::EncodeString;
using platform::StoredValue;
using platform::ValueType;
using testing_support::StoreKind;

// The tick new identifiers are made from at load.
constexpr std::uint32_t kTick = 7;

MacroStep Key(std::uint16_t vk, bool up, std::uint32_t pause) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.wScan = static_cast<std::uint16_t>(vk + 0x100);
    step.dwFlags = up ? MacroStep::kKeyUp : 0;
    step.time = pause;
    return step;
}

// Every kind, each action with all three contexts filled.
CCustomActionList SampleList() {
    CCustomActionList list;
    const std::uint32_t kinds[] = {0, 5, 6, 7, 9};
    int n = 0;
    for (std::uint32_t kind : kinds) {
        CCustomAction action(L"ID_ACTION_" + std::to_wstring(n));
        action.m_name = L"Action " + std::to_wstring(n);
        action.m_descriptionId = action.m_nameId + L"_TIP";
        action.m_description = L"tip " + std::to_wstring(n);
        action.m_macro.m_steps = {Key(0x41, false, 10), Key(0x41, true, 20 + n)};
        action.m_macro.m_steps[0].rest[3] = 0x5A;
        action.m_copyString.m_string = L"text " + std::to_wstring(n);
        action.m_launchApp.m_filePath = L"C:\\Tools\\app" + std::to_wstring(n) + L".exe";
        action.SetKind(kind);
        list.AppendAction(action);
        ++n;
    }
    return list;
}

void ExpectSameActions(CCustomActionList& actual, CCustomActionList& expected) {
    ASSERT_EQ(actual.Count(), expected.Count());
    for (std::size_t i = 0; i < expected.Count(); ++i) {
        SCOPED_TRACE(i);
        CCustomAction& a = *actual.At(i);
        CCustomAction& e = *expected.At(i);
        EXPECT_EQ(a.m_nameId, e.m_nameId);
        EXPECT_EQ(a.m_name, e.m_name);
        EXPECT_EQ(a.m_description, e.m_description);
        EXPECT_EQ(a.m_descriptionId, e.m_descriptionId);
        EXPECT_EQ(a.m_macro.m_steps, e.m_macro.m_steps);
        EXPECT_EQ(a.m_copyString.m_string, e.m_copyString.m_string);
        EXPECT_EQ(a.m_launchApp.m_filePath, e.m_launchApp.m_filePath);
        EXPECT_EQ(a.Kind(), e.Kind());
    }
}

std::vector<std::wstring> Names(const CCustomActionList& list) {
    std::vector<std::wstring> names;
    for (const CCustomAction& action : list)
        names.push_back(action.m_name);
    return names;
}

class ActionStore : public testing::TestWithParam<StoreKind> {
protected:
    std::unique_ptr<testing_support::StoreUnderTest> m_store =
        testing_support::MakeStore(GetParam());
    std::unique_ptr<platform::IKeyValueStore> m_root = m_store->Root();

    CCustomActionList Load() {
        CCustomActionList list;
        list.AppendAction(CCustomAction(L"stale"));
        list.LoadAll(m_root.get(), kTick);
        return list;
    }

    // One saved action, "Action 0", of kind 5; returns the path of its key.
    std::wstring SaveOne() {
        CCustomActionList list;
        CCustomAction action(L"ID_ACTION_0");
        action.m_name = L"Action 0";
        action.m_macro.m_steps = {Key(0x10, false, 5), Key(0x10, true, 5)};
        list.AppendAction(action);
        list.SaveAll(m_root.get());
        return L"CustomActions\\CustomAction0";
    }
};

TEST_P(ActionStore, SaveThenLoadReproducesEveryActionWithAllThreeContexts) {
    CCustomActionList saved = SampleList();
    saved.SaveAll(m_root.get());
    CCustomActionList loaded = Load();
    ExpectSameActions(loaded, saved);
    EXPECT_EQ(loaded.At(0)->ActiveContext(), nullptr);
    EXPECT_EQ(loaded.At(2)->ActiveContext(), &loaded.At(2)->m_copyString);
    EXPECT_EQ(loaded.At(3)->ActiveContext(), &loaded.At(3)->m_launchApp);
    EXPECT_EQ(loaded.At(4)->ActiveContext(), &loaded.At(4)->m_macro)
        << "an unknown kind is kept but leaves the macro active";
}

TEST_P(ActionStore, WritesTheStoredLayout) {
    CCustomActionList saved = SampleList();
    saved.SaveAll(m_root.get());
    const std::wstring action = L"CustomActions\\CustomAction2";
    EXPECT_EQ(m_store->Raw(L"CustomActions", L"Count"), EncodeDword(5));
    EXPECT_EQ(m_store->Raw(action, L"NameID"), EncodeString(L"ID_ACTION_2"));
    EXPECT_EQ(m_store->Raw(action, L"Name"), EncodeString(L"Action 2"));
    EXPECT_EQ(m_store->Raw(action, L"DescriptionID"), EncodeString(L"ID_ACTION_2_TIP"));
    EXPECT_EQ(m_store->Raw(action, L"Description"), EncodeString(L"tip 2"));
    EXPECT_EQ(m_store->Raw(action, L"Type"), EncodeDword(6));
    EXPECT_EQ(m_store->Raw(action + L"\\Macro", L"MacroCount"), EncodeDword(2));
    const auto step = m_store->Raw(action + L"\\Macro", L"Input2");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->type, ValueType::Binary);
    EXPECT_EQ(step->bytes, Key(0x41, true, 22).ToBytes());
    EXPECT_EQ(step->bytes.size(), 28u);
    EXPECT_EQ(m_store->Raw(action + L"\\CopyString", L"String"), EncodeString(L"text 2"));
    EXPECT_EQ(m_store->Raw(action + L"\\LaunchApp", L"FilePath"),
              EncodeString(L"C:\\Tools\\app2.exe"));
}

TEST_P(ActionStore, AFreshStoreOrNoStoreLoadsEmpty) {
    EXPECT_EQ(Load().Count(), 0u);
    CCustomActionList list = SampleList();
    list.LoadAll(nullptr, kTick);
    EXPECT_EQ(list.Count(), 0u);
}

TEST_P(ActionStore, DropsActionsWithoutNameOrKey) {
    CCustomActionList saved = SampleList();
    saved.SaveAll(m_root.get());
    m_store->RemoveValue(L"CustomActions\\CustomAction1", L"Name");
    m_store->SetRaw(L"CustomActions\\CustomAction2", L"Name", EncodeString(L""));
    m_store->RemoveKey(L"CustomActions\\CustomAction3");
    EXPECT_EQ(Names(Load()), (std::vector<std::wstring>{L"Action 0", L"Action 4"}));
}

TEST_P(ActionStore, AShorterListLeavesTheOldKeysUnread) {
    CCustomActionList list = SampleList();
    list.SaveAll(m_root.get());
    list.RemoveAction(L"ID_ACTION_3");
    list.RemoveAction(L"ID_ACTION_4");
    list.SaveAll(m_root.get());
    EXPECT_TRUE(m_store->HasKey(L"CustomActions\\CustomAction3"));
    EXPECT_TRUE(m_store->HasKey(L"CustomActions\\CustomAction4"));
    EXPECT_EQ(Names(Load()), (std::vector<std::wstring>{L"Action 0", L"Action 1", L"Action 2"}));
}

TEST_P(ActionStore, ADamagedCountStopsAtTheActionsThatExist) {
    CCustomActionList list = SampleList();
    list.SaveAll(m_root.get());
    for (const StoredValue& count : {EncodeDword(4294967295u), EncodeString(L"5")}) {
        m_store->SetRaw(L"CustomActions", L"Count", count);
        EXPECT_EQ(Load().Count(), 5u);
    }
}

TEST_P(ActionStore, TextsLongerThan259CharactersLoadCutTo259) {
    const std::wstring path = SaveOne();
    m_store->SetRaw(path, L"Description", EncodeString(std::wstring(259, L'd')));
    m_store->SetRaw(path, L"DescriptionID", EncodeString(std::wstring(260, L'i')));
    m_store->SetRaw(path + L"\\CopyString", L"String", EncodeString(std::wstring(259, L's')));
    m_store->SetRaw(path + L"\\LaunchApp", L"FilePath", EncodeString(std::wstring(5000, L'f')));
    CCustomActionList loaded = Load();
    ASSERT_EQ(loaded.Count(), 1u);
    EXPECT_EQ(loaded.At(0)->m_description, std::wstring(259, L'd'));
    EXPECT_EQ(loaded.At(0)->m_descriptionId, std::wstring(259, L'i'));
    EXPECT_EQ(loaded.At(0)->m_copyString.m_string, std::wstring(259, L's'));
    EXPECT_EQ(loaded.At(0)->m_launchApp.m_filePath, std::wstring(259, L'f'));
}

TEST_P(ActionStore, AnOverLongOrUnreadableNameKeepsTheActionWithAllItHolds) {
    struct Case {
        const char* what;
        StoredValue name;
        std::wstring loadedName;
    };
    const std::vector<Case> cases = {
        {"260 characters", EncodeString(std::wstring(260, L'n')), std::wstring(259, L'n')},
        {"5000 characters", EncodeString(std::wstring(5000, L'n')), std::wstring(259, L'n')},
        {"a number", EncodeDword(12), L"Text Macro(1)"},
        {"binary", StoredValue{ValueType::Binary, {'N', 0, 0, 0}}, L"Text Macro(1)"},
    };
    const CCustomActionList saved = SampleList();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        saved.SaveAll(m_root.get());
        m_store->SetRaw(L"CustomActions\\CustomAction1", L"Name", EncodeString(L""));
        m_store->SetRaw(L"CustomActions\\CustomAction2", L"Name", c.name);

        CCustomActionList loaded = Load();
        ASSERT_EQ(loaded.Count(), 4u) << "only the really empty name of slot 1 drops its action";
        const CCustomAction& kept = *loaded.At(1);
        EXPECT_EQ(kept.m_nameId, L"ID_ACTION_2");
        EXPECT_EQ(kept.m_name, c.loadedName);
        EXPECT_EQ(kept.Kind(), 6u);
        EXPECT_EQ(kept.m_macro.m_steps.size(), 2u);
        EXPECT_EQ(kept.m_copyString.m_string, L"text 2");
        EXPECT_EQ(kept.m_launchApp.m_filePath, L"C:\\Tools\\app2.exe");

        loaded.SaveAll(m_root.get());
        EXPECT_EQ(m_store->Raw(L"CustomActions\\CustomAction1", L"Name"),
                  EncodeString(c.loadedName))
            << "the next save keeps the action";
        m_store->RemoveKey(L"CustomActions");
    }
}

TEST_P(ActionStore, EmptyOrRepeatedIdentifiersGetNewOnesThatTheNextSaveStores) {
    CCustomActionList saved = SampleList();
    saved.SaveAll(m_root.get());
    const std::wstring slot = L"CustomActions\\CustomAction";
    m_store->SetRaw(slot + L"1", L"NameID", EncodeString(L""));
    m_store->SetRaw(slot + L"2", L"NameID", EncodeString(L"ID_ACTION_0"));
    m_store->SetRaw(slot + L"3", L"NameID", EncodeString(L"ID_ACTION_8"));
    m_store->SetRaw(slot + L"4", L"NameID", EncodeDword(4));

    CCustomActionList loaded = Load();
    const std::vector<std::wstring> expected = {L"ID_ACTION_0", L"ID_ACTION_7", L"ID_ACTION_9",
                                                L"ID_ACTION_8", L"ID_ACTION_10"};
    ASSERT_EQ(loaded.Count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded.At(i)->m_nameId, expected[i]);
        EXPECT_EQ(loaded.Find(expected[i]), loaded.At(i)) << "each action is found by its own";
    }

    loaded.SaveAll(m_root.get());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(m_store->Raw(slot + std::to_wstring(i), L"NameID"), EncodeString(expected[i]));
}

TEST_P(ActionStore, OnlyTheStepsPresentLoadAndDamagedOnesLoadEmpty) {
    const std::wstring macro = SaveOne() + L"\\Macro";
    const MacroStep down = Key(0x10, false, 5);
    const MacroStep empty;
    struct Case {
        const char* what;
        std::vector<std::pair<const wchar_t*, StoredValue>> values;
        std::vector<MacroStep> expected;
    };
    const std::vector<Case> cases = {
        {"second step missing", {}, {down}},
        {"step of 3 bytes",
         {{L"Input2", StoredValue{ValueType::Binary, {1, 0, 0}}}},
         {down, empty}},
        {"step of 4000 bytes",
         {{L"Input2", StoredValue{ValueType::Binary, std::vector<std::uint8_t>(4000, 1)}}},
         {down, empty}},
        {"step stored as text", {{L"Input2", EncodeString(L"step")}}, {down, empty}},
        {"count far beyond the stored steps",
         {{L"Input2", StoredValue{ValueType::Binary, down.ToBytes()}},
          {L"MacroCount", EncodeDword(4294967295u)}},
         {down, down}},
        {"count one beyond the stored steps",
         {{L"Input2", StoredValue{ValueType::Binary, down.ToBytes()}},
          {L"MacroCount", EncodeDword(3)}},
         {down, down}},
        {"count not a number",
         {{L"Input2", StoredValue{ValueType::Binary, down.ToBytes()}},
          {L"MacroCount", EncodeString(L"2")}},
         {down, down}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_store->RemoveValue(macro, L"Input2");
        m_store->SetRaw(macro, L"MacroCount", EncodeDword(2));
        for (const auto& value : c.values)
            m_store->SetRaw(macro, value.first, value.second);
        CCustomActionList loaded = Load();
        ASSERT_EQ(loaded.Count(), 1u);
        EXPECT_EQ(loaded.At(0)->m_macro.m_steps, c.expected);
        loaded.SaveAll(m_root.get());
        EXPECT_EQ(m_store->Raw(macro, L"MacroCount"),
                  EncodeDword(static_cast<std::uint32_t>(c.expected.size())))
            << "the next save stores the steps that loaded, no more";
    }

    m_store->RemoveValue(macro, L"MacroCount");
    m_store->SetRaw(macro, L"Input2", StoredValue{ValueType::Binary, down.ToBytes()});
    EXPECT_EQ(Load().At(0)->m_macro.m_steps, (std::vector<MacroStep>{down, down}))
        << "without a count every stored step loads";
}

TEST_P(ActionStore, AMissingOrDamagedKindLoadsAsAKeypressMacro) {
    const std::wstring path = SaveOne();
    const std::optional<StoredValue> types[] = {std::nullopt, EncodeString(L"6"),
                                                StoredValue{ValueType::Binary, {6, 0, 0, 0}}};
    for (const auto& type : types) {
        m_store->RemoveValue(path, L"Type");
        if (type)
            m_store->SetRaw(path, L"Type", *type);
        CCustomActionList loaded = Load();
        ASSERT_EQ(loaded.Count(), 1u);
        EXPECT_EQ(loaded.At(0)->Kind(), 5u);
        EXPECT_EQ(loaded.At(0)->ActiveContext(), &loaded.At(0)->m_macro);
    }
}

TEST_P(ActionStore, SavingToAReadOnlyStoreWritesNothingAndKeepsTheList) {
    CCustomActionList list = SampleList();
    list.SaveAll(m_root.get());
    const auto before = m_store->Snapshot();
    list.RemoveAction(L"ID_ACTION_0");
    list.CreateAction(7, 99);

    auto readOnly = m_store->Root(false);
    ASSERT_TRUE(readOnly);
    list.SaveAll(readOnly.get());
    list.SaveAll(nullptr);

    EXPECT_EQ(m_store->Snapshot(), before);
    EXPECT_EQ(list.Count(), 5u);
    EXPECT_EQ(list.At(4)->m_nameId, L"ID_ACTION_99");
}

// What a save wrote before it compared with the store: every value of every action.
void FullRewrite(const CCustomActionList& list, platform::IKeyValueStore& root) {
    auto key = root.CreateKey(L"CustomActions");
    ASSERT_TRUE(key);
    key->WriteDword(L"Count", static_cast<std::uint32_t>(list.Count()));
    std::size_t slot = 0;
    for (const CCustomAction& action : list)
        action.Save(*key, slot++);
}

std::wstring Slot(int index) {
    return L"CustomActions\\CustomAction" + std::to_wstring(index);
}

StoredValue Bytes(ValueType type, std::size_t size, std::uint8_t fill = 1) {
    return StoredValue{type, std::vector<std::uint8_t>(size, fill)};
}

// The bad-input corpus of the action store. Each case damages the saved sample store; the
// list then loads every valid action as `expect` makes it from the sample and a safe default
// for every unusable value. Two edits and saves later nothing valid is lost, and each save,
// which writes only what differs, leaves the store as a full rewrite leaves it.
TEST_P(ActionStore, BadInputLosesNothingValidAndSavesAsAFullRewrite) {
    using Store = testing_support::StoreUnderTest;
    struct Case {
        const char* what;
        std::function<void(Store&)> damage;
        std::function<void(CCustomActionList&)> expect;
    };
    const auto keep = [](CCustomActionList&) {};
    const auto firstStep = [](CCustomActionList& list) {
        list.At(1)->m_macro.m_steps[0] = MacroStep();
    };
    const auto setCount = [](StoredValue count) {
        return [count](Store& store) { store.SetRaw(L"CustomActions", L"Count", count); };
    };
    const auto setStep = [](StoredValue step) {
        return [step](Store& store) { store.SetRaw(Slot(1) + L"\\Macro", L"Input1", step); };
    };
    const std::wstring longText(5000, L'x');
    const std::wstring cutText(259, L'x');
    const std::vector<Case> cases = {
        {"count 0: every slot is stale", setCount(EncodeDword(0)),
         [](CCustomActionList& list) { list.Clear(); }},
        {"count 2: the slots above are stale", setCount(EncodeDword(2)),
         [](CCustomActionList& list) {
             for (const wchar_t* id : {L"ID_ACTION_2", L"ID_ACTION_3", L"ID_ACTION_4"})
                 list.RemoveAction(id);
         }},
        {"count 2^31 with five slots", setCount(EncodeDword(0x80000000u)), keep},
        {"count 2^32-1 with five slots", setCount(EncodeDword(0xFFFFFFFFu)), keep},
        {"count of 8 bytes", setCount(Bytes(ValueType::Qword, 8, 0)), keep},
        {"count as text", setCount(EncodeString(L"2")), keep},
        {"step of 0 bytes", setStep(Bytes(ValueType::Binary, 0)), firstStep},
        {"step of 27 bytes", setStep(Bytes(ValueType::Binary, 27)), firstStep},
        {"step of 29 bytes", setStep(Bytes(ValueType::Binary, 29)), firstStep},
        {"step of 10,000 bytes", setStep(Bytes(ValueType::Binary, 10000)), firstStep},
        {"step count 0: the steps are stale",
         [](Store& store) { store.SetRaw(Slot(1) + L"\\Macro", L"MacroCount", EncodeDword(0)); },
         [](CCustomActionList& list) { list.At(1)->m_macro.m_steps.clear(); }},
        {"step count of 2 bytes",
         [](Store& store) {
             store.SetRaw(Slot(1) + L"\\Macro", L"MacroCount", Bytes(ValueType::Dword, 2));
         },
         keep},
        {"texts of 5,000 characters",
         [&](Store& store) {
             store.SetRaw(Slot(1), L"Name", EncodeString(longText));
             store.SetRaw(Slot(2), L"NameID", EncodeString(longText));
             store.SetRaw(Slot(3), L"Description", EncodeString(longText));
             store.SetRaw(Slot(3) + L"\\CopyString", L"String", EncodeString(longText));
             store.SetRaw(Slot(4) + L"\\LaunchApp", L"FilePath", EncodeString(longText));
         },
         [&](CCustomActionList& list) {
             list.At(1)->m_name = cutText;
             list.At(2)->m_nameId = cutText;
             list.At(3)->m_description = cutText;
             list.At(3)->m_copyString.m_string = cutText;
             list.At(4)->m_launchApp.m_filePath = cutText;
         }},
        {"an identifier in two slots",
         [](Store& store) { store.SetRaw(Slot(3), L"NameID", EncodeString(L"ID_ACTION_1")); },
         [](CCustomActionList& list) { list.At(3)->m_nameId = L"ID_ACTION_7"; }},
        {"texts stored as numbers, binary and 64-bit values",
         [](Store& store) {
             store.SetRaw(Slot(2), L"Description", EncodeDword(5));
             store.SetRaw(Slot(2), L"DescriptionID", Bytes(ValueType::Qword, 8));
             store.SetRaw(Slot(2) + L"\\CopyString", L"String", Bytes(ValueType::Binary, 4));
             store.SetRaw(Slot(3) + L"\\LaunchApp", L"FilePath", EncodeDword(1));
         },
         [](CCustomActionList& list) {
             list.At(2)->m_description.clear();
             list.At(2)->m_descriptionId.clear();
             list.At(2)->m_copyString.m_string.clear();
             list.At(3)->m_launchApp.m_filePath.clear();
         }},
        {"kinds as text, 8 bytes and 99",
         [](Store& store) {
             store.SetRaw(Slot(2), L"Type", EncodeString(L"6"));
             store.SetRaw(Slot(3), L"Type", Bytes(ValueType::Dword, 8, 0));
             store.SetRaw(Slot(4), L"Type", EncodeDword(99));
         },
         [](CCustomActionList& list) {
             list.At(2)->SetKind(5);
             list.At(3)->SetKind(5);
             list.At(4)->SetKind(99);
         }},
        {"a name without its terminator and one of odd length",
         [](Store& store) {
             StoredValue open = EncodeString(L"Action 1");
             open.bytes.resize(open.bytes.size() - 2);
             store.SetRaw(Slot(1), L"Name", open);
             StoredValue odd = EncodeString(L"Action 2");
             odd.bytes.resize(odd.bytes.size() - 1);
             store.SetRaw(Slot(2), L"Name", odd);
         },
         keep},
        {"a slot without its context keys",
         [](Store& store) {
             store.RemoveKey(Slot(1) + L"\\Macro");
             store.RemoveKey(Slot(1) + L"\\CopyString");
         },
         [](CCustomActionList& list) {
             list.At(1)->m_macro.m_steps.clear();
             list.At(1)->m_copyString.m_string.clear();
         }},
        {"a missing slot moves the later ones down", [](Store& store) { store.RemoveKey(Slot(2)); },
         [](CCustomActionList& list) { list.RemoveAction(L"ID_ACTION_2"); }},
        {"keys that are not slots",
         [](Store& store) {
             for (const wchar_t* name : {L"CustomAction01", L"CustomActionX", L"CustomAction-1",
                                         L"CustomAction99999999999"})
                 store.SetRaw(std::wstring(L"CustomActions\\") + name, L"Name",
                              EncodeString(L"junk"));
         },
         keep},
    };

    // Two edits, saved in turn: one action renamed; then one removed and one added.
    const std::vector<std::function<void(CCustomActionList&)>> edits = {
        [](CCustomActionList& list) {
            if (list.Count())
                list.begin()->m_name = L"renamed";
        },
        [](CCustomActionList& list) {
            if (list.Count() > 1)
                list.RemoveAction(list.At(1)->m_nameId);
            list.CreateAction(6, 500);
        },
    };

    const auto damaged = [&](const Case& c) {
        auto store = testing_support::MakeStore(GetParam());
        auto root = store->Root();
        SampleList().SaveAll(root.get());
        c.damage(*store);
        return store;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCustomActionList expected = SampleList();
        c.expect(expected);

        auto store = damaged(c);
        auto root = store->Root();
        CCustomActionList list;
        list.LoadAll(root.get(), kTick);
        ExpectSameActions(list, expected);

        auto rewritten = damaged(c);
        auto rewrittenRoot = rewritten->Root();
        CCustomActionList reference;
        reference.LoadAll(rewrittenRoot.get(), kTick);

        for (const auto& edit : edits) {
            edit(expected);
            edit(list);
            edit(reference);
            list.SaveAll(root.get());
            FullRewrite(reference, *rewrittenRoot);
            EXPECT_EQ(store->Snapshot(), rewritten->Snapshot());

            CCustomActionList reloaded;
            reloaded.LoadAll(root.get(), kTick);
            ExpectSameActions(reloaded, expected);
        }
    }
}

TEST_P(ActionStore, ASaveTrustsWhatItLastWroteUntilTheCountShowsAnotherWriter) {
    CCustomActionList list = SampleList();
    list.SaveAll(m_root.get());
    // Another writer: the count looks the same, the values do not.
    m_store->SetRaw(Slot(1), L"Name", EncodeString(L"theirs"));
    m_store->RemoveKey(Slot(2) + L"\\Macro");
    list.SaveAll(m_root.get());
    EXPECT_EQ(m_store->Raw(Slot(1), L"Name"), EncodeString(L"theirs"))
        << "while the count is unchanged, the list trusts what it last wrote";

    m_store->SetRaw(L"CustomActions", L"Count", EncodeDword(9));
    list.SaveAll(m_root.get());
    CCustomActionList expected = SampleList();
    CCustomActionList loaded = Load();
    ExpectSameActions(loaded, expected);
}

TEST_P(ActionStore, WhatIsKnownOfOneStoreIsNotTakenForAnother) {
    CCustomActionList list = SampleList();
    list.SaveAll(m_root.get());
    // Another store with as many actions, all different.
    auto other = testing_support::MakeStore(GetParam());
    auto otherRoot = other->Root();
    CCustomActionList theirs = SampleList();
    for (CCustomAction& action : theirs)
        action.m_name += L" (theirs)";
    theirs.SaveAll(otherRoot.get());

    list.SaveAll(otherRoot.get());
    CCustomActionList loaded;
    loaded.LoadAll(otherRoot.get(), kTick);
    ExpectSameActions(loaded, list);
}

INSTANTIATE_TEST_SUITE_P(Stores, ActionStore,
                         testing::Values(StoreKind::Memory, StoreKind::Registry),
                         [](const auto& info) {
                             return testing_support::StoreKindName(info.param);
                         });

} // namespace
