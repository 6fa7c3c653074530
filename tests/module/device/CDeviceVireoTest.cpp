// the Kestrel device, its commands and the classification of its records.
#include "module/device/CDeviceVireo.h"
#include "module/device/CDriverVireo.h"
#include "tests/module/device/FakeDriverDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

namespace {

using device::RecordClass;

// A device like the module window: classifies each record and keeps the result.
class TestVireoDevice : public CDeviceVireo {
public:
    // As CDeviceVireo does, but before this class's members go (the reader thread dispatches).
    ~TestVireoDevice() override {
        if (m_driver)
            m_driver->Close();
    }
    void OnEvent(const EventRecord* record, int size) override {
        RecordClass kind = ClassifyRecord(record, size);
        std::lock_guard<std::mutex> lock(m_lock);
        m_classes.push_back(kind);
        m_changed.notify_all();
    }
    bool WaitFor(std::size_t count) {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::seconds(5),
                                  [&] { return m_classes.size() >= count; });
    }
    std::vector<RecordClass> Classes() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_classes;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<RecordClass> m_classes;
};

std::vector<std::uint8_t> Payload(const device::SendReportPacket& packet) {
    return {packet.payload, packet.payload + 8};
}

class CDeviceVireoTest : public testing::Test {
protected:
    void SetUp() override {
        g_buttonPassMask = 0x03;
        fake->AllowPath(device::kQuillonDevicePath);
        driver = std::make_shared<CDriverVireo>(device::kQuillonDevicePath, fake);
    }
    void TearDown() override { g_buttonPassMask = 0x03; }

    // ApplyProfileToDevice for a profile given as modes and indices.
    void Save(const std::uint8_t modes[5], int cpi, int rate) {
        for (int i = 0; i < 5; ++i) {
            driver->SetStateByte(i, modes[i]);
            mouse.SetButtonBlocked(device::kProfileButtonBits[i], modes[i] != device::kModeNative);
        }
        driver->SetStateByte(5, device::EncodeIndex(cpi));
        driver->SetStateByte(6, device::EncodeIndex(rate));
        driver->SendSettings();
    }

    std::shared_ptr<FakeDriverDevice> fake = std::make_shared<FakeDriverDevice>();
    std::shared_ptr<CDriverVireo> driver;
    TestVireoDevice mouse;
};

TEST(ButtonPassMaskTest, StartsAt0x03) {
    EXPECT_EQ(g_buttonPassMask.load(), 0x03);
}

TEST_F(CDeviceVireoTest, Identity) {
    EXPECT_EQ(mouse.m_vendorId, 0x0C45);
    EXPECT_EQ(mouse.m_productId, 0x7303);
    EXPECT_EQ(mouse.m_deviceName, L"Norvale Kestrel Mouse");
    EXPECT_EQ(driver->GetState(), (device::DeviceState{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(driver->IsOpen());
    mouse.Attach(driver, true);
    EXPECT_EQ(driver->FindDevice(0x0C45, 0x7303), &mouse);
    EXPECT_EQ(mouse.VireoDriver(), driver);
}

TEST_F(CDeviceVireoTest, ReadSettingsPayload) {
    EXPECT_TRUE(driver->SendReadSettings());
    const auto reports = fake->SentReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Payload(reports[0]),
              (std::vector<std::uint8_t>{0xAB, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83}));
    const std::uint8_t header[14] = {0x03, 0x73, 0x45, 0x0C, 0x09, 0x21, 0x09,
                                     0x00, 0x00, 0x02, 0x00, 0x00, 0x08, 0x00};
    EXPECT_EQ(0, std::memcmp(&reports[0], header, sizeof header));
}

TEST_F(CDeviceVireoTest, WriteSettingsIsCAFollowedByTheState) {
    driver->SetState({1, 2, 4, 8, 0, 0x04, 0x02});
    EXPECT_TRUE(driver->SendSettings());
    const auto reports = fake->SentReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Payload(reports[0]), (std::vector<std::uint8_t>{0xCA, 1, 2, 4, 8, 0, 0x04, 0x02}));
}

TEST_F(CDeviceVireoTest, FiveNativeButtonsSaveGivesState000000000402AndMask0x1F) {
    mouse.Attach(driver, true);
    const std::uint8_t modes[5] = {0, 0, 0, 0, 0};
    Save(modes, 2, 1);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{0, 0, 0, 0, 0, 0x04, 0x02}));
    const auto masks = fake->MaskPackets();
    ASSERT_EQ(masks.size(), 5u);
    const std::uint8_t expectedMasks[5] = {0x03, 0x07, 0x07, 0x0F, 0x1F};
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(masks[i].size(), 13u);
        EXPECT_EQ(masks[i],
                  (std::vector<std::uint8_t>{0x03, 0x73, 0x45, 0x0C, 0xFF, 0x00, 0x01, 0x02, 0xFF,
                                             expectedMasks[i], 0xFF, 0xFF, 0xFF}));
    }
    EXPECT_EQ(g_buttonPassMask.load(), 0x1F);
    const auto reports = fake->SentReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Payload(reports[0]), (std::vector<std::uint8_t>{0xCA, 0, 0, 0, 0, 0, 0x04, 0x02}));
}

TEST_F(CDeviceVireoTest, RightButtonDisabledClearsBit0x02) {
    mouse.Attach(driver, true);
    const std::uint8_t modes[5] = {0, 0, device::kModeDisabled, 0, 0};
    Save(modes, 0, 0);
    EXPECT_EQ(driver->GetState()[2], 4);
    EXPECT_EQ(g_buttonPassMask.load(), 0x1D);
    EXPECT_EQ(fake->MaskPackets().back()[9], 0x1D);
}

TEST_F(CDeviceVireoTest, MixedProfileBlocksAllButLeft) {
    mouse.Attach(driver, true);
    const std::uint8_t modes[5] = {0, 8, 4, 2, 1};
    Save(modes, 0, 0);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{0, 8, 4, 2, 1, 1, 1}));
    EXPECT_EQ(g_buttonPassMask.load(), 0x01);
}

TEST_F(CDeviceVireoTest, SetButtonBlockedWithoutADriverOnlyChangesTheMask) {
    mouse.SetButtonBlocked(0x01, true);
    EXPECT_EQ(g_buttonPassMask.load(), 0x02);
    EXPECT_TRUE(fake->MaskPackets().empty());
}

TEST_F(CDeviceVireoTest, SettingsReportCopiesTheState) {
    mouse.Attach(driver, true);
    const auto record = MakeReply(0xAC, {1, 2, 3, 4, 5, 0x08, 0x02});
    const RecordClass result = mouse.ClassifyRecord(&record, 24);
    EXPECT_EQ(result.kind, RecordClass::SettingsReport);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{1, 2, 3, 4, 5, 0x08, 0x02}));
    EXPECT_TRUE(fake->SentReports().empty());
}

TEST_F(CDeviceVireoTest, SettingsReportCopiesAtMostSevenBytes) {
    mouse.Attach(driver, true);
    auto record = MakeReply(0xAC, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 200);
    EXPECT_EQ(mouse.ClassifyRecord(&record, 24).kind, RecordClass::SettingsReport);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{1, 2, 3, 4, 5, 6, 7}));
    // n = 4 takes three bytes; n = 0 takes none.
    record = MakeReply(0xAC, {9, 9, 9, 9, 9, 9, 9}, 4);
    mouse.ClassifyRecord(&record, 24);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{9, 9, 9, 4, 5, 6, 7}));
    record = MakeReply(0xAC, {0, 0, 0, 0, 0, 0, 0}, 0);
    mouse.ClassifyRecord(&record, 24);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{9, 9, 9, 4, 5, 6, 7}));
}

TEST_F(CDeviceVireoTest, EchoEqualSendsNothing) {
    mouse.Attach(driver, true);
    driver->SetState({0, 0, 0, 0, 0, 0x04, 0x02});
    const auto record = MakeReply(0xCB, {0, 0, 0, 0, 0, 0x04, 0x02});
    const RecordClass result = mouse.ClassifyRecord(&record, 24);
    EXPECT_EQ(result.kind, RecordClass::SettingsEcho);
    EXPECT_FALSE(result.resent);
    EXPECT_TRUE(fake->SentReports().empty());
}

TEST_F(CDeviceVireoTest, EchoDifferingInByte6SendsWriteSettingsOnce) {
    mouse.Attach(driver, true);
    driver->SetState({0, 0, 0, 0, 0, 0x04, 0x02});
    const auto record = MakeReply(0xCB, {0, 0, 0, 0, 0, 0x04, 0x01});
    const RecordClass result = mouse.ClassifyRecord(&record, 24);
    EXPECT_EQ(result.kind, RecordClass::SettingsEcho);
    EXPECT_TRUE(result.resent);
    const auto reports = fake->SentReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Payload(reports[0]), (std::vector<std::uint8_t>{0xCA, 0, 0, 0, 0, 0, 0x04, 0x02}));
    EXPECT_EQ(driver->GetState(), (device::DeviceState{0, 0, 0, 0, 0, 0x04, 0x02}));
}

TEST_F(CDeviceVireoTest, ReplyCode0x55ChangesNothing) {
    mouse.Attach(driver, true);
    driver->SetState({1, 1, 1, 1, 1, 1, 1});
    const auto record = MakeReply(0x55, {9, 9, 9, 9, 9, 9, 9});
    EXPECT_EQ(mouse.ClassifyRecord(&record, 24).kind, RecordClass::Ignored);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(fake->SentReports().empty());
}

TEST_F(CDeviceVireoTest, InputReportsNeedFourBytes) {
    auto record = MakeButtonReport(0x05);
    RecordClass result = mouse.ClassifyRecord(&record, 24);
    EXPECT_EQ(result.kind, RecordClass::ButtonReport);
    EXPECT_EQ(result.buttons, 0x05);
    record = MakeRecord(0x0C45, 0x7303, 1, {1, 0, 0}, 3);
    EXPECT_EQ(mouse.ClassifyRecord(&record, 24).kind, RecordClass::Ignored);
    record = MakeRecord(0x0C45, 0x7303, 0, {1, 0, 0, 0}, 200);
    EXPECT_EQ(mouse.ClassifyRecord(&record, 24).kind, RecordClass::Ignored);
    EXPECT_EQ(mouse.ClassifyRecord(nullptr, 24).kind, RecordClass::Ignored);
    record = MakeButtonReport(0x01);
    EXPECT_EQ(mouse.ClassifyRecord(&record, 10).kind, RecordClass::Ignored);
}

TEST_F(CDeviceVireoTest, RepliesWithoutAVireoDriverChangeNothing) {
    const auto record = MakeReply(0xCB, {1, 2, 3, 4, 5, 6, 7});
    const RecordClass result = mouse.ClassifyRecord(&record, 24);
    EXPECT_EQ(result.kind, RecordClass::SettingsEcho);
    EXPECT_FALSE(result.resent);
}

TEST(IndexEncodingTest, EncodeAndDecode) {
    EXPECT_EQ(device::EncodeIndex(0), 0x01);
    EXPECT_EQ(device::EncodeIndex(1), 0x02);
    EXPECT_EQ(device::EncodeIndex(2), 0x04);
    EXPECT_EQ(device::EncodeIndex(3), 0x08);
    EXPECT_EQ(device::EncodeIndex(7), 0x80);
    EXPECT_EQ(device::EncodeIndex(8), 0x00);
    EXPECT_EQ(device::EncodeIndex(31), 0x00);
    EXPECT_EQ(device::EncodeIndex(800), 0x01);
    EXPECT_EQ(device::EncodeIndex(-1), 0x00); // low byte 0xFF, 255 % 32 = 31
    EXPECT_EQ(device::DecodeIndex(0x00), 0);
    EXPECT_EQ(device::DecodeIndex(0x30), 0);
    EXPECT_EQ(device::DecodeIndex(0x06), 1);
    EXPECT_EQ(device::DecodeIndex(0x01), 0);
    EXPECT_EQ(device::DecodeIndex(0x08), 3);
    EXPECT_EQ(device::DecodeIndex(0x88), 3);
}

// The whole conversation through the pump, with the fake answering like the mouse.
TEST_F(CDeviceVireoTest, ConversationThroughThePump) {
    device::DeviceState mouseState{0, 0, 0, 0, 0, 0x08, 0x01};
    fake->SetReportResponder([&](const device::SendReportPacket& packet) {
        if (packet.payload[0] == 0xAB) {
            std::vector<std::uint8_t> state(mouseState.begin(), mouseState.end());
            fake->QueueRecords({MakeReply(0xAC, state)});
        } else if (packet.payload[0] == 0xCA) {
            std::memcpy(mouseState.data(), packet.payload + 1, 7);
            mouseState[6] = 0x01; // the mouse keeps its own report rate once
            std::vector<std::uint8_t> state(mouseState.begin(), mouseState.end());
            fake->QueueRecords({MakeReply(0xCB, state)});
        }
    });
    mouse.Attach(driver, true);
    driver->SendReadSettings();
    ASSERT_TRUE(mouse.WaitFor(1));
    EXPECT_EQ(mouse.Classes()[0].kind, RecordClass::SettingsReport);
    EXPECT_EQ(driver->GetState(), mouseState);

    driver->SetStateByte(6, 0x02);
    driver->SendSettings();
    // Echo differs (0x01) → re-send → echo still differs → re-send ...: the responder
    // overrides byte 6 every time; stop after a few rounds by closing.
    ASSERT_TRUE(mouse.WaitFor(3));
    const auto classes = mouse.Classes();
    EXPECT_EQ(classes[1].kind, RecordClass::SettingsEcho);
    EXPECT_TRUE(classes[1].resent);
    driver->Close();
    EXPECT_FALSE(driver->ReaderRunning());
}

TEST_F(CDeviceVireoTest, DestroyingTheDeviceClosesItsDriver) {
    {
        TestVireoDevice device;
        device.Attach(driver, true);
        ASSERT_TRUE(fake->WaitUntil([&] { return fake->PendingPolls() == 1; }));
    }
    EXPECT_FALSE(driver->IsOpen());
    EXPECT_FALSE(driver->ReaderRunning());
    EXPECT_EQ(fake->PendingPolls(), 0);
}

} // namespace
