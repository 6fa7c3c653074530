#include "platform/Win32TickSource.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(Win32TickSource, ReadsTheSystemTickCount) {
    platform::Win32TickSource ticks;
    const DWORD before = GetTickCount();
    const std::uint32_t now = ticks.Milliseconds();
    const DWORD after = GetTickCount();
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
}
