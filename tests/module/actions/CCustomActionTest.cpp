// One action and its stored step record.
#include "module/actions/BuiltInActions.h"
#include "module/actions/CCustomAction.h"
#include "module/profiles/CProfileVireo.h"

#include <gtest/gtest.h>

namespace {

TEST(MacroStep, IsStoredAsThe28ByteRecordOfA32BitProcess) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = 0x41;
    step.wScan = 0x1E;
    step.dwFlags = MacroStep::kKeyUp | MacroStep::kExtendedKey;
    step.time = 250;
    step.rest[7] = 0x99;
    const std::vector<std::uint8_t> expected = {1, 0, 0, 0, 0x41, 0, 0x1E, 0, 3, 0, 0, 0, 250, 0, 0,
                                                0, 0, 0, 0, 0,    0, 0,    0, 0, 0, 0, 0, 0x99};
    EXPECT_EQ(step.ToBytes(), expected);
    EXPECT_EQ(MacroStep::FromBytes(expected), step);

    for (std::size_t size : {0u, 3u, 27u, 29u, 4000u})
        EXPECT_EQ(MacroStep::FromBytes(std::vector<std::uint8_t>(size, 0xFF)), MacroStep())
            << size << " bytes are no step";
}

TEST(CCustomAction, KindChoosesItsOwnActiveContext) {
    CCustomAction fresh;
    EXPECT_EQ(fresh.Kind(), 5u);
    EXPECT_EQ(fresh.ActiveContext(), &fresh.m_macro);

    CCustomAction action;
    const std::pair<std::uint32_t, IActionContext*> cases[] = {
        {0, nullptr},
        {4, nullptr},
        {5, &action.m_macro},
        {6, &action.m_copyString},
        {7, &action.m_launchApp},
        {8, nullptr},
    };
    for (const auto& c : cases) {
        action.SetKind(c.first);
        EXPECT_EQ(action.Kind(), c.first);
        EXPECT_EQ(action.ActiveContext(), c.second) << "kind " << c.first;
    }
}

TEST(CCustomAction, ACopyRunsItsOwnContextAndKeepsAllThree) {
    CCustomAction original(L"ID_ACTION_1");
    original.m_name = L"Paste address";
    original.m_copyString.m_string = L"1 Main Street";
    original.m_launchApp.m_filePath = L"C:\\notes.exe";
    original.m_macro.m_steps.resize(2);
    original.SetKind(6);

    CCustomAction copy(original);
    CCustomAction assigned;
    assigned = original;
    for (CCustomAction* c : {&copy, &assigned}) {
        EXPECT_EQ(c->ActiveContext(), &c->m_copyString);
        EXPECT_EQ(c->m_copyString.m_string, L"1 Main Street");
        EXPECT_EQ(c->m_launchApp.m_filePath, L"C:\\notes.exe");
        EXPECT_EQ(c->m_macro.m_steps.size(), 2u);
        EXPECT_EQ(c->m_name, L"Paste address");
    }
}

TEST(BuiltInActions, CoverEveryStandardButtonActionWithItsNativeKind) {
    // The kinds the mouse's reported state is compared with, in profile button order.
    const std::uint32_t expectedKinds[] = {0, 2, 1, 3, 4};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(kBuiltInActions[i].nameId,
                  std::wstring(CProfileVireo::kStandardButtonActions[i]));
        EXPECT_EQ(kBuiltInActions[i].kind, expectedKinds[i]);
        EXPECT_TRUE(IsBuiltInAction(CProfileVireo::kStandardButtonActions[i]));
    }
    EXPECT_FALSE(IsBuiltInAction(L"ID_ACTION_1"));
    EXPECT_FALSE(IsBuiltInAction(L"action_item_left_button"));
}

TEST(BuiltInActions, OnlyTheMissingOnesAreAddedAheadOfCustomActions) {
    CCustomActionList actions;
    actions.CreateAction(5, 1);
    CCustomAction right(L"ACTION_ITEM_RIGHT_BUTTON");
    right.m_name = L"Mine";
    right.SetKind(1);
    actions.AppendAction(right);

    EXPECT_EQ(AddMissingBuiltInActions(actions), 4u);
    ASSERT_EQ(actions.Count(), 6u);
    EXPECT_EQ(actions.At(0)->m_nameId, L"ACTION_ITEM_LEFT_BUTTON");
    EXPECT_EQ(actions.At(1)->Kind(), 2u);
    EXPECT_EQ(actions.At(1)->ActiveContext(), nullptr);
    EXPECT_EQ(actions.At(4)->m_nameId, L"ID_ACTION_1");
    EXPECT_EQ(actions.At(5)->m_name, L"Mine");
    for (const CCustomAction& action : actions)
        EXPECT_FALSE(action.m_name.empty()) << "a nameless action would be dropped on load";

    EXPECT_EQ(AddMissingBuiltInActions(actions), 0u);
}

} // namespace
