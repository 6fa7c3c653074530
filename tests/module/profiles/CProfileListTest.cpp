// The profile list's operations behind the module interface.
#include "module/profiles/CProfileList.h"
#include "module/profiles/DefaultProfile.h"
#include "module/profiles/UniqueIdentifier.h"

#include <gtest/gtest.h>

namespace {

CProfileList ListOf(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> records) {
    CProfileList list;
    for (const auto& record : records)
        list.Append(CProfileVireo::MakeStandard(record.first, record.second));
    return list;
}

TEST(CProfileList, CopyTakesTheFirstFreeCopyNameAndAppends) {
    struct Case {
        std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> records;
        const wchar_t* source;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {{{L"a", L"A"}}, L"a", L"A(Copy1)"},
        {{{L"a", L"A"}, {L"b", L"A(Copy1)"}}, L"a", L"A(Copy2)"},
        {{{L"a", L"A"}, {L"b", L"A(Copy1)"}, {L"c", L"A(Copy3)"}}, L"a", L"A(Copy2)"},
        {{{L"a", L"A"}, {L"b", L"A(Copy1)"}}, L"b", L"A(Copy1)(Copy1)"},
        {{{L"a", L"A"}, {L"b", L"a(copy1)"}}, L"a", L"A(Copy1)"},
    };
    for (const Case& c : cases) {
        CProfileList list = ListOf(c.records);
        CProfileVireo* source = list.FindProfile(c.source);
        ASSERT_NE(source, nullptr);
        source->m_cpi1 = 2;
        const CProfileVireo& copy = list.Copy(*source, 1234);
        EXPECT_EQ(copy.m_name, c.expected);
        EXPECT_EQ(copy.m_id, L"ID_PROFILE_1234");
        EXPECT_EQ(copy.m_cpi1, 2u);
        EXPECT_EQ(copy.m_buttonAction, source->m_buttonAction);
        EXPECT_EQ(&copy, list.At(list.Count() - 1)) << "appended at the end";
    }
}

TEST(CProfileList, CopiesWithinOneTickGetDistinctIdsOfTheSameForm) {
    CProfileList list = ListOf({{L"a", L"A"}});
    const std::wstring first = list.Copy(*list.At(0), 500).m_id;
    const std::wstring second = list.Copy(*list.At(0), 500).m_id;
    EXPECT_EQ(first, L"ID_PROFILE_500");
    EXPECT_EQ(second, L"ID_PROFILE_501");
}

TEST(UniqueIdentifier, WritesTheTickAsASignedDecimal) {
    const auto never = [](const std::wstring&) { return false; };
    EXPECT_EQ(MakeUniqueIdentifier(L"ID_ACTION_", 0, never), L"ID_ACTION_0");
    EXPECT_EQ(MakeUniqueIdentifier(L"ID_ACTION_", 0x7FFFFFFF, never), L"ID_ACTION_2147483647");
    EXPECT_EQ(MakeUniqueIdentifier(L"ID_ACTION_", 0x80000000u, never), L"ID_ACTION_-2147483648");
    EXPECT_EQ(MakeUniqueIdentifier(L"ID_ACTION_", 0xFFFFFFFFu, never), L"ID_ACTION_-1");
    const auto minusOneTaken = [](const std::wstring& id) { return id == L"ID_ACTION_-1"; };
    EXPECT_EQ(MakeUniqueIdentifier(L"ID_ACTION_", 0xFFFFFFFFu, minusOneTaken), L"ID_ACTION_0");
}

TEST(CProfileList, LooksUpRenamesAndRemovesTheFirstMatchOnly) {
    CProfileList list = ListOf({{L"x", L"First"}, {L"y", L"Second"}, {L"x", L"Third"}});
    const std::wstring* yId = &list.FindProfile(L"y")->m_id;

    EXPECT_EQ(list.FindProfile(L"x")->m_name, L"First");
    EXPECT_EQ(list.FindProfile(L"X"), nullptr) << "IDs are case-sensitive";
    EXPECT_EQ(list.PositionOf(L"y"), 1u);
    EXPECT_EQ(list.At(3), nullptr);

    EXPECT_TRUE(list.Rename(L"x", L"Renamed"));
    EXPECT_EQ(list.At(0)->m_name, L"Renamed");
    EXPECT_EQ(list.At(2)->m_name, L"Third");
    EXPECT_FALSE(list.Rename(L"missing", L"Nobody"));

    EXPECT_TRUE(list.Remove(L"x"));
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.At(1)->m_name, L"Third");
    EXPECT_FALSE(list.Remove(L"missing"));
    for (int i = 0; i < 100; ++i)
        list.Copy(*list.At(0), 1);
    EXPECT_EQ(*yId, L"y") << "a record keeps its address while others come and go";
}

TEST(DefaultProfile, IsAddedOnlyToAnEmptyListAndBecomesCurrent) {
    CProfileList list;
    std::wstring current = L"ID_PROFILE_GONE";
    EXPECT_TRUE(AddDefaultProfileIfEmpty(list, current, 42));
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.At(0)->m_id, L"ID_PROFILE_42");
    EXPECT_EQ(list.At(0)->m_name, L"Default Profile");
    EXPECT_EQ(list.At(0)->m_buttonAction[0], L"ACTION_ITEM_LEFT_BUTTON");
    EXPECT_EQ(current, L"ID_PROFILE_42");

    EXPECT_FALSE(AddDefaultProfileIfEmpty(list, current, 43));
    EXPECT_EQ(list.Count(), 1u);
}

} // namespace
