// The reader thread's records reach the devices on the user-interface thread, in order, and
// none after the window that receives them is gone.
#include "module/core/CEventHandoff.h"
#include "module/device/CDriverVireo.h"
#include "tests/module/device/FakeDriverDevice.h"
#include "tests/module/device/RecordingDevice.h"

#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

using testing_support::PumpMessagesUntil;
using testing_support::PumpWaitingMessages;

class ThreadRecordingDevice : public RecordingDevice {
public:
    std::atomic<DWORD> lastThread{0};
    void OnEvent(const EventRecord* record, int size) override {
        lastThread = GetCurrentThreadId();
        RecordingDevice::OnEvent(record, size);
    }
};

TEST(CEventHandoffTest, RecordsRunOnTheWindowsThreadUntilTheWindowGoes) {
    auto fake = std::make_shared<FakeDriverDevice>();
    fake->AllowPath(device::kQuillonDevicePath);
    auto driver = std::make_shared<CDriver>(nullptr, fake);
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    auto queue = CUiTaskQueue::Create();
    ASSERT_TRUE(queue->Bind(window));
    CEventHandoff handoff(queue, driver);
    driver->SetEventPoster(&handoff);
    ThreadRecordingDevice mouse;
    driver->Register(&mouse);
    ASSERT_TRUE(driver->Open(device::kQuillonDevicePath));

    fake->QueueRecords({MakeButtonReport(1), MakeButtonReport(2), MakeButtonReport(3)});
    ASSERT_TRUE(PumpMessagesUntil([&] { return mouse.Events().size() == 3; }));
    EXPECT_EQ(mouse.lastThread.load(), GetCurrentThreadId());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(mouse.Events()[i].data[0], i + 1);

    // Records read after the window is gone are dropped, not dispatched on another thread.
    DestroyWindow(window);
    fake->QueueRecords({MakeButtonReport(4)});
    ASSERT_TRUE(fake->WaitUntil([&] { return fake->Reads() >= 2 && fake->PendingPolls() == 1; }));
    PumpWaitingMessages();
    driver->Close();
    EXPECT_EQ(mouse.Events().size(), 3u);
    driver->SetEventPoster(nullptr);
}

} // namespace
