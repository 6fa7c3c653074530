#include "framework/Handle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> g_closed;

struct CountingTraits {
    using pointer = int;
    static pointer invalid() noexcept { return 0; }
    static void close(pointer value) noexcept { g_closed.push_back(value); }
};
using Owner = fw::UniqueHandle<CountingTraits>;

TEST(UniqueHandle, ClosesEachOwnedValueExactlyOnce) {
    g_closed.clear();
    {
        Owner a(1);
        Owner b(std::move(a)); // moved-from owner closes nothing
        Owner c(2);
        c = std::move(b); // 2 closed by the assignment, 1 now owned by c
        EXPECT_EQ(g_closed, std::vector<int>{2});
        Owner d(3);
        int released = d.release(); // released values are the caller's
        EXPECT_EQ(released, 3);
        Owner e(4);
        *e.put() = 5; // put closes the old value first
    }
    EXPECT_EQ(g_closed, (std::vector<int>{2, 4, 5, 1}));
}

TEST(UniqueHandle, RealKernelHandleIsClosed) {
    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    {
        fw::UniqueKernelHandle owner(raw);
        EXPECT_TRUE(owner);
        DWORD flags = 0;
        EXPECT_TRUE(GetHandleInformation(raw, &flags));
    }
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags));
}

TEST(UniqueHandle, FileHandleTreatsInvalidValueAsEmpty) {
    fw::UniqueFileHandle file(
        CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(file);
}

} // namespace
