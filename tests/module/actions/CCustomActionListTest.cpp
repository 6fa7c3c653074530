// The action list's operations in memory.
#include "module/actions/CCustomActionList.h"

#include <gtest/gtest.h>

namespace {

CCustomAction Named(const std::wstring& id, const std::wstring& name) {
    CCustomAction action(id);
    action.m_name = name;
    return action;
}

TEST(CCustomActionList, CreateActionNamesByKindAndCountBefore) {
    CCustomActionList list;
    for (int i = 0; i < 4; ++i)
        list.AppendAction(Named(L"ID_ACTION_" + std::to_wstring(100 + i), L"x"));

    const std::wstring& id = list.CreateAction(6, 4242);
    EXPECT_EQ(id, L"ID_ACTION_4242");
    const CCustomAction* created = list.At(4);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(&created->m_nameId, &id) << "the identifier returned is the list's own";
    EXPECT_EQ(created->m_name, L"Text Macro(4)");
    EXPECT_EQ(created->m_descriptionId, L"ID_ACTION_4242_TIP");
    EXPECT_EQ(created->m_description, L"");
    EXPECT_EQ(created->Kind(), 6u);

    EXPECT_EQ(list.At(list.FindAction(list.CreateAction(5, 1)))->m_name, L"Keypress Macro(5)");
    EXPECT_EQ(list.At(list.FindAction(list.CreateAction(7, 1)))->m_name, L"Launch App(6)");
}

TEST(CCustomActionList, ActionsCreatedWithinOneTickGetDistinctIds) {
    CCustomActionList list;
    list.AppendAction(Named(L"ID_ACTION_-5", L"taken"));
    EXPECT_EQ(list.CreateAction(5, static_cast<std::uint32_t>(-5)), L"ID_ACTION_-4");
    EXPECT_EQ(list.CreateAction(6, static_cast<std::uint32_t>(-5)), L"ID_ACTION_-3");
}

TEST(CCustomActionList, FindsAndRemovesTheFirstExactMatch) {
    CCustomActionList list;
    list.AppendAction(Named(L"A", L"first"));
    list.AppendAction(Named(L"B", L"second"));
    list.AppendAction(Named(L"A", L"third"));

    EXPECT_EQ(list.FindAction(L"A"), 0u);
    EXPECT_EQ(list.FindAction(L"B"), 1u);
    EXPECT_EQ(list.FindAction(L"a"), CCustomActionList::npos);
    EXPECT_EQ(list.FindAction(L"A "), CCustomActionList::npos);
    EXPECT_EQ(list.FindAction(L""), CCustomActionList::npos);

    const std::wstring& secondId = list.At(1)->m_nameId;
    list.RemoveAction(L"A");
    list.RemoveAction(L"missing");
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.At(0)->m_name, L"second");
    EXPECT_EQ(list.At(1)->m_name, L"third");
    EXPECT_EQ(secondId, L"B") << "the others keep their address";
}

} // namespace
