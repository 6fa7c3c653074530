// The Win32 driver-device seam's failure paths on the real system (its pending, complete and
// cancel paths are exercised against the simulated driver in tests/tools).
#include "module/device/CDriverVireo.h"
#include "platform/Win32DriverDevice.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(Win32DriverDeviceTest, AMissingDeviceDoesNotOpen) {
    platform::Win32DriverDevice system;
    EXPECT_EQ(system.Open(L"\\\\.\\NoSuchGearhostDevice"), nullptr);
    EXPECT_EQ(system.Open(L""), nullptr);
}

TEST(Win32DriverDeviceTest, UnknownControlCodeOnAFileFailsAtOnce) {
    testing_support::TempDir dir;
    dir.Write(L"seam.bin", "x");
    const std::wstring path = dir.File(L"seam.bin");
    {
        platform::Win32DriverDevice system;
        auto handle = system.Open(path);
        ASSERT_NE(handle, nullptr);
        std::uint16_t status = 0;
        const platform::IoResult result =
            handle->Control(device::IOCTL_POLL_EVENTS, nullptr, 0, &status, sizeof status);
        EXPECT_NE(result.status, platform::IoStatus::Done);
        handle->CancelAll(); // nothing pending: harmless
    }
    EXPECT_TRUE(DeleteFileW(path.c_str())); // the handle was closed with its last owner
}

TEST(Win32DriverDeviceTest, TheChannelOnAMissingDriverFailsSilently) {
    CDriverVireo driver(L"\\\\.\\NoSuchGearhostDevice");
    EXPECT_FALSE(driver.IsOpen());
    EXPECT_FALSE(driver.ReaderRunning());
    EXPECT_FALSE(driver.SendReadSettings());
    EXPECT_FALSE(driver.SendSettings());
}

} // namespace
