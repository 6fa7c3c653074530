// the channel and its event pump against the in-process fake driver.
#include "module/device/CDriver.h"
#include "tests/module/device/FakeDriverDevice.h"
#include "tests/module/device/RecordingDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

using namespace std::chrono_literals;

namespace {

const wchar_t kPathA[] = L"\\\\.\\QuillonKeyboard";
const wchar_t kPathB[] = L"\\\\.\\OtherDevice";

class CDriverTest : public testing::Test {
protected:
    void SetUp() override {
        fake->AllowPath(kPathA);
        fake->AllowPath(kPathB);
    }
    std::shared_ptr<CDriver> MakeDriver(const wchar_t* path = kPathA) {
        return std::make_shared<CDriver>(path, fake);
    }
    // The reader thread is back in a poll after `polls` completed polls.
    bool WaitForIdle(int polls) {
        return fake->WaitUntil([&] { return fake->Polls() >= polls && fake->PendingPolls() == 1; });
    }

    std::shared_ptr<FakeDriverDevice> fake = std::make_shared<FakeDriverDevice>();
};

device::EventRecord Tagged(std::uint8_t tag) {
    return MakeButtonReport(tag);
}

std::vector<std::uint8_t> BlockBytes(std::int32_t count, int filled) {
    device::EventBlock block{};
    block.count = count;
    for (int i = 0; i < filled && i < 32; ++i)
        block.records[i] = Tagged(static_cast<std::uint8_t>(i));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&block);
    return {bytes, bytes + sizeof block};
}

TEST(DriverProtocolTest, LayoutsAndCodes) {
    EXPECT_EQ(sizeof(device::EventRecord), 24u);
    EXPECT_EQ(sizeof(device::EventBlock), 772u);
    EXPECT_EQ(sizeof(device::SendReportPacket), 22u);
    EXPECT_EQ(device::IOCTL_POLL_EVENTS, 0x222A80u);
    EXPECT_EQ(device::IOCTL_SET_BUTTON_MASK, 0x222A84u);
    EXPECT_EQ(device::IOCTL_READ_EVENTS, 0x222B00u);
    EXPECT_EQ(device::IOCTL_SEND_REPORT, 0x222B04u);
}

TEST(DriverProtocolTest, SendReportPacketBytes) {
    const std::uint8_t payload[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const device::SendReportPacket packet = device::MakeSendReportPacket(payload);
    const std::uint8_t expected[22] = {0x03, 0x73, 0x45, 0x0C, 0x09, 0x21, 0x09, 0x00,
                                       0x00, 0x02, 0x00, 0x00, 0x08, 0x00, 1,    2,
                                       3,    4,    5,    6,    7,    8};
    EXPECT_EQ(0, std::memcmp(&packet, expected, sizeof expected));
}

TEST(DriverProtocolTest, UsableRecordCountNeverTrustsTheBlock) {
    device::EventBlock block{};
    block.count = 3;
    EXPECT_EQ(device::UsableRecordCount(block, 772), 3);
    block.count = 0;
    EXPECT_EQ(device::UsableRecordCount(block, 772), 0);
    block.count = -1;
    EXPECT_EQ(device::UsableRecordCount(block, 772), 0);
    block.count = 33;
    EXPECT_EQ(device::UsableRecordCount(block, 772), 32);
    block.count = 1000000;
    EXPECT_EQ(device::UsableRecordCount(block, 772), 32);
    block.count = 5;
    EXPECT_EQ(device::UsableRecordCount(block, 0), 0);
    EXPECT_EQ(device::UsableRecordCount(block, 10), 0);
    EXPECT_EQ(device::UsableRecordCount(block, 4 + 24), 1);
    EXPECT_EQ(device::UsableRecordCount(block, 4 + 24 * 2 + 23), 2);
    EXPECT_EQ(device::UsableRecordCount(block, 100000), 5);
}

TEST_F(CDriverTest, ConstructionWithoutPathIsClosed) {
    CDriver driver(nullptr, fake);
    EXPECT_FALSE(driver.IsOpen());
    EXPECT_EQ(driver.DevicePath(), L"");
    EXPECT_EQ(driver.ReaderThreadsStarted(), 0);
    EXPECT_EQ(fake->Opens(), 0);
}

TEST_F(CDriverTest, OpenWithTheOpenPathStartsNoSecondThread) {
    auto driver = MakeDriver();
    ASSERT_TRUE(driver->IsOpen());
    ASSERT_TRUE(fake->WaitUntil([&] { return fake->PendingPolls() == 1; }));
    EXPECT_TRUE(driver->Open(kPathA));
    EXPECT_TRUE(driver->Open(kPathA));
    EXPECT_EQ(fake->Opens(), 1);
    EXPECT_EQ(driver->ReaderThreadsStarted(), 1);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(fake->MaxPendingPolls(), 1);
    EXPECT_EQ(fake->LiveHandles(), 1);
}

TEST_F(CDriverTest, OpenWithAnotherPathClosesTheFirst) {
    auto driver = MakeDriver();
    ASSERT_TRUE(fake->WaitUntil([&] { return fake->PendingPolls() == 1; }));
    EXPECT_TRUE(driver->Open(kPathB));
    EXPECT_EQ(driver->DevicePath(), kPathB);
    EXPECT_EQ(fake->Opens(), 2);
    EXPECT_EQ(driver->ReaderThreadsStarted(), 2);
    // The first handle is gone and its thread ended before the second opened.
    EXPECT_EQ(fake->LiveHandles(), 1);
    ASSERT_TRUE(fake->WaitUntil([&] { return fake->PendingPolls() == 1; }));
    EXPECT_EQ(fake->MaxPendingPolls(), 1);
}

TEST_F(CDriverTest, CountZeroDispatchesNothingAndCountThreeInOrder) {
    auto driver = MakeDriver();
    RecordingDevice device;
    driver->Register(&device);
    fake->QueueRecords({});
    ASSERT_TRUE(WaitForIdle(1));
    EXPECT_EQ(fake->Reads(), 1);
    EXPECT_TRUE(device.Events().empty());

    fake->QueueRecords({Tagged(10), Tagged(11), Tagged(12)});
    ASSERT_TRUE(device.WaitForEvents(3));
    ASSERT_TRUE(WaitForIdle(2));
    const auto events = device.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].data[0], 10);
    EXPECT_EQ(events[1].data[0], 11);
    EXPECT_EQ(events[2].data[0], 12);
    for (int size : device.Sizes())
        EXPECT_EQ(size, 24);
}

TEST_F(CDriverTest, AFullBlockIsFollowedByAnotherReadBeforeTheNextPoll) {
    auto driver = MakeDriver();
    RecordingDevice device;
    driver->Register(&device);
    fake->QueueRecords(std::vector<device::EventRecord>(32, Tagged(1)));
    ASSERT_TRUE(device.WaitForEvents(32));
    ASSERT_TRUE(WaitForIdle(1));
    EXPECT_EQ(fake->Reads(), 2); // 32 records, then an empty block, then a poll
    fake->QueueRecords(std::vector<device::EventRecord>(31, Tagged(2)));
    ASSERT_TRUE(device.WaitForEvents(63));
    ASSERT_TRUE(WaitForIdle(2));
    EXPECT_EQ(fake->Reads(), 3);
}

TEST_F(CDriverTest, RecordOfAnUnregisteredDeviceIsDropped) {
    auto driver = MakeDriver();
    RecordingDevice device;
    driver->Register(&device);
    fake->QueueRecords({MakeRecord(0x1234, 0x7303, 1, {1, 0, 0, 0}),
                        MakeRecord(0x0C45, 0x9999, 1, {2, 0, 0, 0}), Tagged(3)});
    ASSERT_TRUE(device.WaitForEvents(1));
    ASSERT_TRUE(WaitForIdle(1));
    const auto events = device.Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].data[0], 3);
}

TEST_F(CDriverTest, SameNameRegisteredTwiceTheSecondReplacesTheFirst) {
    auto driver = MakeDriver();
    RecordingDevice first(L"Mouse"), second(L"Mouse");
    driver->Register(&first);
    driver->Register(&second);
    EXPECT_EQ(driver->FindDevice(0x0C45, 0x7303), &second);
    fake->QueueRecords({Tagged(1)});
    ASSERT_TRUE(second.WaitForEvents(1));
    EXPECT_TRUE(first.Events().empty());
}

TEST_F(CDriverTest, FindDeviceTakesTheFirstInNameOrder) {
    CDriver driver(nullptr, fake);
    RecordingDevice b(L"B"), a(L"A"), other(L"0", 1, 2);
    driver.Register(&b);
    driver.Register(&a);
    driver.Register(&other);
    EXPECT_EQ(driver.FindDevice(0x0C45, 0x7303), &a);
    EXPECT_EQ(driver.FindDevice(1, 2), &other);
    EXPECT_EQ(driver.FindDevice(3, 4), nullptr);
    driver.Unregister(&a);
    EXPECT_EQ(driver.FindDevice(0x0C45, 0x7303), &b);
    driver.Unregister(nullptr);
    EXPECT_EQ(driver.FindDevice(0x0C45, 0x7303), nullptr);
}

TEST_F(CDriverTest, NotOpenableFailsSilently) {
    auto driver = std::make_shared<CDriver>(L"\\\\.\\Missing", fake);
    EXPECT_FALSE(driver->IsOpen());
    EXPECT_FALSE(driver->ReaderRunning());
    EXPECT_EQ(driver->ReaderThreadsStarted(), 0);
    const std::uint8_t payload[8] = {};
    EXPECT_FALSE(driver->SendReport(payload));
    EXPECT_FALSE(driver->Open(L"\\\\.\\Missing"));
    EXPECT_TRUE(fake->SentReports().empty());
    EXPECT_FALSE(
        CDriver::DeviceIoControlSync(nullptr, device::IOCTL_SEND_REPORT, payload, 8, nullptr, 0));
}

TEST_F(CDriverTest, OpenFailureAfterAnOpenDeviceLeavesItClosed) {
    auto driver = MakeDriver();
    EXPECT_FALSE(driver->Open(L"\\\\.\\Missing"));
    EXPECT_FALSE(driver->IsOpen());
    EXPECT_FALSE(driver->ReaderRunning());
    EXPECT_EQ(fake->LiveHandles(), 0);
}

TEST_F(CDriverTest, StatusOtherThan1024LeadsToTheNextPollWithoutARead) {
    auto driver = MakeDriver();
    RecordingDevice device;
    driver->Register(&device);
    fake->QueueStatus(7);
    fake->QueueStatus(0);
    ASSERT_TRUE(WaitForIdle(2));
    EXPECT_EQ(fake->Reads(), 0);
    fake->QueueRecords({Tagged(1)});
    ASSERT_TRUE(device.WaitForEvents(1));
    EXPECT_EQ(fake->Reads(), 1);
}

TEST_F(CDriverTest, ReadFailureOnlyRestartsTheCycle) {
    auto driver = MakeDriver();
    RecordingDevice device;
    driver->Register(&device);
    FakeDriverDevice::Delivery failing;
    failing.readFails = true;
    failing.block = BlockBytes(1, 1);
    fake->Queue(failing);
    fake->QueueRecords({Tagged(5)});
    ASSERT_TRUE(device.WaitForEvents(1));
    EXPECT_EQ(device.Events()[0].data[0], 5);
    EXPECT_TRUE(driver->ReaderRunning());
}

// Only Close ends the pump: a poll that ends in an error (a pending one aborted by the
// driver, or one refused at once) is followed by the next, after a pause that keeps a driver
// refusing everything from spinning a core.
TEST_F(CDriverTest, AFailedPollIsFollowedByTheNextWithoutSpinning) {
    auto driver = MakeDriver();
    RecordingDevice device;
    driver->Register(&device);
    FakeDriverDevice::Delivery aborted;
    aborted.pollFails = true;
    fake->Queue(aborted);
    fake->QueueRecords({Tagged(3)});
    ASSERT_TRUE(device.WaitForEvents(1));
    EXPECT_EQ(device.Events()[0].data[0], 3);

    fake->SetPollsFailAtOnce(true);
    const int pollsBefore = fake->Polls();
    std::this_thread::sleep_for(300ms);
    const int failedPolls = fake->Polls() - pollsBefore;
    EXPECT_GE(failedPolls, 1);
    EXPECT_LT(failedPolls, 40); // without a pause: hundreds of thousands
    fake->SetPollsFailAtOnce(false);
    fake->QueueRecords({Tagged(4)});
    ASSERT_TRUE(device.WaitForEvents(2));
    EXPECT_EQ(device.Events()[1].data[0], 4);

    fake->SetPollsFailAtOnce(true);
    const auto start = std::chrono::steady_clock::now();
    driver->Close(); // ends the pause at once
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(driver->ReaderRunning());
}

TEST_F(CDriverTest, BadBlocksNeverDispatchPast32RecordsOrTheReturnedBytes) {
    auto driver = MakeDriver();
    RecordingDevice device;
    driver->Register(&device);
    struct Case {
        std::int32_t count;
        int filled;
        std::uint32_t returned;
        std::size_t expected;
    } cases[] = {
        {-1, 3, 772, 0}, {33, 32, 772, 32},     {1000000, 32, 772, 32}, {5, 5, 0, 0},
        {5, 5, 10, 0},   {5, 5, 4 + 24 * 2, 2}, {2, 2, 772, 2},
    };
    std::size_t total = 0;
    int polls = 0;
    for (const Case& c : cases) {
        FakeDriverDevice::Delivery delivery;
        delivery.block = BlockBytes(c.count, c.filled);
        delivery.returnedBytes = c.returned;
        fake->Queue(delivery);
        ++polls;
        ASSERT_TRUE(WaitForIdle(polls));
        total += c.expected;
        EXPECT_EQ(device.Events().size(), total)
            << "count " << c.count << " returned " << c.returned;
    }
    // A record with n = 200 is handed on whole; its classification ignores it.
    fake->QueueRecords({MakeRecord(0x0C45, 0x7303, 1, {1, 2, 3, 4}, 200)});
    ASSERT_TRUE(device.WaitForEvents(total + 1));
    EXPECT_EQ(device.Events().back().size, 200);
}

TEST_F(CDriverTest, CloseWithAPollPendingReturnsPromptlyAndTheThreadHasEnded) {
    auto driver = MakeDriver();
    ASSERT_TRUE(fake->WaitUntil([&] { return fake->PendingPolls() == 1; }));
    const auto start = std::chrono::steady_clock::now();
    driver->Close();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, 500ms);
    EXPECT_FALSE(driver->ReaderRunning());
    EXPECT_FALSE(driver->IsOpen());
    EXPECT_EQ(fake->PendingPolls(), 0);
    EXPECT_EQ(fake->LiveHandles(), 0);
    const std::uint8_t payload[8] = {};
    EXPECT_FALSE(driver->SendReport(payload));
    driver->Close(); // twice is harmless
}

TEST_F(CDriverTest, NoDeviceIsCalledAfterCloseReturns) {
    auto driver = MakeDriver();
    std::atomic<bool> closed{false};
    std::atomic<int> lateCalls{0};
    struct Watcher : RecordingDevice {
        std::atomic<bool>* closed;
        std::atomic<int>* late;
        void OnEvent(const EventRecord* r, int s) override {
            if (*closed)
                ++*late;
            std::this_thread::sleep_for(50us);
            RecordingDevice::OnEvent(r, s);
        }
    } watcher;
    watcher.closed = &closed;
    watcher.late = &lateCalls;
    driver->Register(&watcher);
    std::atomic<bool> feeding{true};
    std::thread feeder([&] {
        while (feeding) {
            fake->QueueRecords(std::vector<device::EventRecord>(32, Tagged(1)));
            std::this_thread::sleep_for(1ms);
        }
    });
    ASSERT_TRUE(watcher.WaitForEvents(64));
    driver->Close();
    closed = true;
    std::this_thread::sleep_for(20ms);
    feeding = false;
    feeder.join();
    EXPECT_EQ(lateCalls.load(), 0);
}

TEST_F(CDriverTest, DestroyingADeviceWhileEventsFlowIsSafe) {
    auto driver = MakeDriver();
    std::atomic<bool> feeding{true};
    std::thread feeder([&] {
        while (feeding) {
            fake->QueueRecords(std::vector<device::EventRecord>(8, Tagged(1)));
            std::this_thread::sleep_for(200us);
        }
    });
    for (int round = 0; round < 50; ++round) {
        auto device = std::make_unique<RecordingDevice>();
        device->Attach(driver, true);
        device->WaitForEvents(1, 200ms);
        device.reset(); // detaches under the map's lock: never called half-destroyed
    }
    feeding = false;
    feeder.join();
    EXPECT_EQ(driver->FindDevice(0x0C45, 0x7303), nullptr);
}

TEST_F(CDriverTest, RepeatedOpenAndCloseNeverHangs) {
    CDriver driver(nullptr, fake);
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(driver.Open(i % 2 ? kPathA : kPathB));
        driver.Close();
    }
    EXPECT_EQ(fake->LiveHandles(), 0);
    EXPECT_EQ(driver.ReaderThreadsStarted(), 200);
}

TEST_F(CDriverTest, DestructionClosesAndEmptiesTheMap) {
    RecordingDevice device;
    {
        auto driver = MakeDriver();
        device.Attach(driver, true);
        ASSERT_TRUE(fake->WaitUntil([&] { return fake->PendingPolls() == 1; }));
        device.m_driver.reset(); // the device stays, the driver goes
    }
    EXPECT_EQ(fake->LiveHandles(), 0);
    EXPECT_EQ(fake->PendingPolls(), 0);
}

class CollectingPoster : public IEventPoster {
public:
    void Post(const device::EventRecord& record) override {
        std::lock_guard<std::mutex> lock(m_lock);
        m_records.push_back(record);
    }
    std::vector<device::EventRecord> Take() {
        std::lock_guard<std::mutex> lock(m_lock);
        return std::exchange(m_records, {});
    }

private:
    std::mutex m_lock;
    std::vector<device::EventRecord> m_records;
};

TEST_F(CDriverTest, APosterReceivesTheRecordsAndDispatchRunsOnItsCaller) {
    CollectingPoster poster;
    CDriver driver(nullptr, fake);
    driver.SetEventPoster(&poster);
    RecordingDevice device;
    driver.Register(&device);
    ASSERT_TRUE(driver.Open(kPathA));
    fake->QueueRecords({Tagged(1), Tagged(0)});
    ASSERT_TRUE(WaitForIdle(1));
    EXPECT_TRUE(device.Events().empty());
    auto records = poster.Take();
    ASSERT_EQ(records.size(), 2u);
    for (const auto& record : records)
        driver.Dispatch(record); // as the module window does on its own thread
    ASSERT_EQ(device.Events().size(), 2u);
    EXPECT_EQ(device.Events()[0].data[0], 1);
    EXPECT_EQ(device.Events()[1].data[0], 0);
}

// The device base.
TEST_F(CDriverTest, DeviceDefaultsAndAttachDetach) {
    RecordingDevice device(L"Unkown", 0, 0);
    struct Bare : CDevice {
        void OnEvent(const EventRecord*, int) override {}
    } bare;
    EXPECT_EQ(bare.m_vendorId, 0);
    EXPECT_EQ(bare.m_productId, 0);
    EXPECT_EQ(bare.m_connected, 0);
    EXPECT_EQ(bare.m_deviceName, L"Unkown");
    EXPECT_EQ(bare.m_driver, nullptr);
    bare.SetButtonBlocked(0x01, true); // default: nothing

    auto driver = std::make_shared<CDriver>(nullptr, fake);
    RecordingDevice mouse;
    mouse.Attach(driver, false);
    EXPECT_EQ(mouse.m_driver, nullptr);
    EXPECT_EQ(driver->FindDevice(0x0C45, 0x7303), nullptr);
    mouse.Attach(driver, true);
    EXPECT_EQ(mouse.m_driver, driver);
    EXPECT_EQ(driver->FindDevice(0x0C45, 0x7303), &mouse);
    mouse.Detach();
    EXPECT_EQ(mouse.m_driver, nullptr);
    EXPECT_EQ(driver->FindDevice(0x0C45, 0x7303), nullptr);
    mouse.Attach(nullptr, true);
    EXPECT_EQ(mouse.m_driver, nullptr);

    // Re-attaching elsewhere: the previous channel keeps no pointer to the device.
    auto other = std::make_shared<CDriver>(nullptr, fake);
    mouse.Attach(driver, true);
    mouse.Attach(other, true);
    EXPECT_EQ(driver->FindDevice(0x0C45, 0x7303), nullptr);
    EXPECT_EQ(other->FindDevice(0x0C45, 0x7303), &mouse);
}

} // namespace
