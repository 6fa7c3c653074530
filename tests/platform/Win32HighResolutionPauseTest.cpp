// The pause seam against the real system: never shorter than asked, and cut short for good
// by Interrupt from another thread.
#include "platform/Win32HighResolutionPause.h"

#include "framework/Handle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

namespace {

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

TEST(Win32HighResolutionPause, WaitsAtLeastTheMillisecondsAsked) {
    platform::Win32HighResolutionPause pause;
    std::printf("high-resolution timer: %s\n", pause.HasHighResolutionTimer() ? "yes" : "no");
    for (std::uint32_t milliseconds : {0u, 1u, 5u, 20u}) {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        EXPECT_TRUE(pause.Wait(milliseconds));
        EXPECT_GE(MillisecondsSince(start), milliseconds) << milliseconds;
    }
}

TEST(Win32HighResolutionPause, InterruptEndsTheCurrentWaitAndEveryLaterOne) {
    platform::Win32HighResolutionPause pause;
    fw::UniqueKernelHandle waiting(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    bool result = true;
    std::thread waiter([&] {
        SetEvent(waiting.get());
        result = pause.Wait(600000);
    });
    WaitForSingleObject(waiting.get(), INFINITE);
    // Most likely inside the wait by now; an earlier Interrupt would pass as well.
    Sleep(50);
    pause.Interrupt();
    waiter.join();
    EXPECT_FALSE(result);

    EXPECT_FALSE(pause.Wait(0));
    EXPECT_FALSE(pause.Wait(600000));
}

} // namespace
