// The watch over a child window three levels down: whatever hides it from the user is told
// once, before it happens; what leaves it visible is not.
#include "framework/CVisibilityWatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class VisibilityWatchTest : public testing::Test {
public:
    HWND m_top = nullptr;
    HWND m_page = nullptr;
    HWND m_list = nullptr;
    HWND m_sibling = nullptr;

    void SetUp() override {
        m_top = CreateWindowExW(0, L"STATIC", L"top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                300, nullptr, nullptr, nullptr, nullptr);
        m_page = CreateWindowExW(0, L"STATIC", L"page", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                                 m_top, nullptr, nullptr, nullptr);
        m_list = CreateWindowExW(0, L"STATIC", L"list", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                                 m_page, nullptr, nullptr, nullptr);
        m_sibling = CreateWindowExW(0, L"STATIC", L"sibling", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                    m_top, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_top && m_page && m_list && m_sibling);
    }
    void TearDown() override {
        if (IsWindow(m_top))
            DestroyWindow(m_top);
    }
};

TEST_F(VisibilityWatchTest, EachWayOfHidingTellsOnceWhileTheListStillShows) {
    const struct {
        const char* what;
        std::function<void(VisibilityWatchTest&)> act;
    } cases[] = {
        {"list hidden", [](auto& t) { ShowWindow(t.m_list, SW_HIDE); }},
        {"page hidden", [](auto& t) { ShowWindow(t.m_page, SW_HIDE); }},
        {"top hidden", [](auto& t) { ShowWindow(t.m_top, SW_HIDE); }},
        {"top hidden by position",
         [](auto& t) {
             SetWindowPos(t.m_top, nullptr, 0, 0, 0, 0,
                          SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
         }},
        {"top minimised", [](auto& t) { ShowWindow(t.m_top, SW_MINIMIZE); }},
        {"page destroyed", [](auto& t) { DestroyWindow(t.m_page); }},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        CVisibilityWatch watch;
        int told = 0;
        bool visibleWhenTold = false;
        ASSERT_TRUE(watch.Start(m_list, [&] {
            ++told;
            visibleWhenTold = IsWindowVisible(m_list) != FALSE;
        })) << c.what;
        c.act(*this);
        EXPECT_EQ(told, 1) << c.what;
        EXPECT_TRUE(visibleWhenTold) << c.what << ": told before it happens";
        EXPECT_FALSE(watch.IsWatching()) << c.what;
        ShowWindow(m_top, SW_RESTORE);
        ShowWindow(m_top, SW_HIDE);
        EXPECT_EQ(told, 1) << c.what << ": once";
    }
}

TEST_F(VisibilityWatchTest, WhatLeavesTheListVisibleTellsNothing) {
    CVisibilityWatch watch;
    int told = 0;
    ASSERT_TRUE(watch.Start(m_list, [&] { ++told; }));
    ShowWindow(m_sibling, SW_HIDE);
    SetWindowPos(m_top, nullptr, 10, 10, 500, 400, SWP_NOZORDER);
    ShowWindow(m_page, SW_SHOW);
    DestroyWindow(m_sibling);
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(watch.IsWatching());

    watch.Stop();
    ShowWindow(m_list, SW_HIDE);
    EXPECT_EQ(told, 0) << "stopped";
}

TEST_F(VisibilityWatchTest, TwoWatchesOnOneThreadAndAWatchThatEndsAnother) {
    CVisibilityWatch onList;
    CVisibilityWatch onSibling;
    int listTold = 0;
    int siblingTold = 0;
    ASSERT_TRUE(onSibling.Start(m_sibling, [&] { ++siblingTold; }));
    ASSERT_TRUE(onList.Start(m_list, [&] {
        ++listTold;
        onSibling.Stop();
    }));
    ShowWindow(m_top, SW_HIDE);
    EXPECT_EQ(listTold, 1);
    EXPECT_EQ(siblingTold, 0) << "stopped by the first one's callback";
    EXPECT_FALSE(onSibling.IsWatching());
}

TEST_F(VisibilityWatchTest, AWindowOfAnotherThreadIsNotWatched) {
    HWND other = nullptr;
    HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    struct Args {
        HWND* other;
        HANDLE made;
        HANDLE done;
    } args = {&other, made, done};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* a = static_cast<Args*>(p);
            *a->other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, nullptr, nullptr);
            SetEvent(a->made);
            WaitForSingleObject(a->done, INFINITE);
            DestroyWindow(*a->other);
            return 0;
        },
        &args, 0, nullptr);
    WaitForSingleObject(made, INFINITE);
    CVisibilityWatch watch;
    EXPECT_FALSE(watch.Start(other, [] {}));
    EXPECT_FALSE(watch.IsWatching());
    SetEvent(done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(made);
    CloseHandle(done);
}

} // namespace
