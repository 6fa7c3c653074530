// The module's reactions to the mouse against the in-process fake driver: what a profile
// sends the mouse, which profile a settings report selects or creates, and what button
// releases count and run.
#include "module/actions/BuiltInActions.h"
#include "module/core/CDeviceReactions.h"
#include "tests/module/device/FakeDriverDevice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class SteppingTicks : public platform::ITickSource {
public:
    std::uint32_t Milliseconds() const override { return m_next++; }

private:
    mutable std::uint32_t m_next = 5000;
};

class RecordingWindow : public IReactionWindow {
public:
    std::vector<std::string> events;
    void NotifyProfileChanged() override { events.push_back("refresh"); }
    void ShowDeviceSettings(int cpi, int rate) override {
        events.push_back("show " + std::to_string(cpi) + "," + std::to_string(rate));
    }
    void RequestSave() override { events.push_back("save"); }
    void PostStatUpdate(int counter, int count) override {
        events.push_back("stat " + std::to_string(counter) + "," + std::to_string(count));
    }
};

class RecordingQueue : public IActionQueue {
public:
    std::vector<std::wstring> posted;
    void Post(const CCustomAction& action) override { posted.push_back(action.m_nameId); }
};

std::vector<std::uint8_t> Payload(const device::SendReportPacket& packet) {
    return {packet.payload, packet.payload + 8};
}

class Reactions : public testing::Test {
protected:
    CProfileList m_profiles;
    std::wstring m_currentId;
    CCustomActionList m_actions;
    SteppingTicks m_ticks;
    std::shared_ptr<FakeDriverDevice> m_fake = std::make_shared<FakeDriverDevice>();
    std::shared_ptr<CDriverVireo> m_driver;
    RecordingWindow m_window;
    RecordingQueue m_queue;
    CDeviceReactions m_mouse{ModuleModel{m_profiles, m_currentId, m_actions, m_ticks}};

    std::wstring m_keypress, m_text, m_launch;

    void SetUp() override {
        g_buttonPassMask = 0x03;
        AddMissingBuiltInActions(m_actions);
        m_keypress = m_actions.CreateAction(CCustomAction::kKeypressMacro, 1);
        m_text = m_actions.CreateAction(CCustomAction::kTextMacro, 2);
        m_launch = m_actions.CreateAction(CCustomAction::kLaunchApplication, 3);
        m_fake->AllowPath(device::kQuillonDevicePath);
        m_driver = std::make_shared<CDriverVireo>(device::kQuillonDevicePath, m_fake);
        m_mouse.Attach(m_driver, true);
        m_mouse.BindReactions(&m_window, &m_queue);
    }
    void TearDown() override {
        m_mouse.Detach();
        g_buttonPassMask = 0x03;
    }

    // A profile made current: actions per profile button, all buttons on.
    CProfileVireo& AddCurrentProfile(const std::wstring& id, std::array<std::wstring, 5> buttons) {
        CProfileVireo profile = CProfileVireo::MakeStandard(id, L"P " + id);
        profile.m_buttonAction = buttons;
        m_currentId = id;
        return m_profiles.Append(profile);
    }
    std::array<std::wstring, 5> Standard() const {
        std::array<std::wstring, 5> actions;
        for (std::size_t i = 0; i < 5; ++i)
            actions[i] = CProfileVireo::kStandardButtonActions[i];
        return actions;
    }

    void SettingsReport(std::vector<std::uint8_t> state) {
        device::EventRecord record = MakeReply(device::kReplySettingsReport, state);
        m_mouse.OnEvent(&record, sizeof(record));
    }
    void Buttons(std::uint8_t bits) {
        device::EventRecord record = MakeButtonReport(bits);
        m_mouse.OnEvent(&record, sizeof(record));
    }
};

TEST_F(Reactions, ProfileGoesToTheMouseAsModesMaskAndSettings) {
    auto buttons = Standard();
    buttons[1] = m_keypress;
    buttons[3] = m_text;
    buttons[4] = m_launch;
    CProfileVireo& profile = AddCurrentProfile(L"ID_PROFILE_1", buttons);
    profile.m_buttonEnable[2] = 0; // right off
    profile.m_cpi1 = 1;
    profile.m_reportRate = 3;

    m_mouse.ApplyProfileToDevice();

    EXPECT_EQ(m_driver->GetState(),
              (device::DeviceState{0x00, 0x08, 0x04, 0x02, 0x01, 0x02, 0x08}));
    EXPECT_EQ(g_buttonPassMask.load(), 0x01); // only the left click passes
    const auto masks = m_fake->MaskPackets();
    ASSERT_EQ(masks.size(), 5u);
    std::vector<std::uint8_t> passSoFar;
    for (const auto& packet : masks)
        passSoFar.push_back(packet[9]); // the pass mask byte
    // Left passes (0x03 stays), then middle, right, 4 and 5 are blocked one by one.
    EXPECT_EQ(passSoFar, (std::vector<std::uint8_t>{0x03, 0x03, 0x01, 0x01, 0x01}));
    const auto reports = m_fake->SentReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Payload(reports[0]),
              (std::vector<std::uint8_t>{0xCA, 0x00, 0x08, 0x04, 0x02, 0x01, 0x02, 0x08}));
}

// A profile switch waits for the mouse: the same state in two requests instead of six.
TEST_F(Reactions, AProfileCanGoToTheMouseWithOneMaskPacket) {
    auto buttons = Standard();
    buttons[1] = m_keypress;
    CProfileVireo& profile = AddCurrentProfile(L"ID_PROFILE_1", buttons);
    profile.m_buttonEnable[2] = 0;
    profile.m_cpi1 = 2;

    m_mouse.ApplyProfileToDevice(CDeviceReactions::MaskPackets::One);

    EXPECT_EQ(g_buttonPassMask.load(), 0x19); // middle (a macro) and right (off) blocked
    const auto masks = m_fake->MaskPackets();
    ASSERT_EQ(masks.size(), 1u);
    EXPECT_EQ(masks[0][9], 0x19);
    EXPECT_EQ(m_fake->SentReports().size(), 1u);
    EXPECT_EQ(m_driver->GetState()[5], device::EncodeIndex(2));
}

TEST_F(Reactions, ActionMissingFromTheListPassesTheNativeClick) {
    auto buttons = Standard();
    buttons[0] = L"ID_ACTION_GONE";
    AddCurrentProfile(L"ID_PROFILE_1", buttons);
    m_mouse.ApplyProfileToDevice();
    EXPECT_EQ(m_driver->GetState()[0], 0x00);
    EXPECT_EQ(g_buttonPassMask.load() & 0x01, 0x01);
}

TEST_F(Reactions, SettingsReportMatchingTheCurrentProfileSavesWithoutRefresh) {
    auto buttons = Standard();
    buttons[1] = m_keypress;
    AddCurrentProfile(L"ID_PROFILE_1", buttons);
    SettingsReport({0x00, 0x08, 0x00, 0x00, 0x00, 0x04, 0x02}); // CPI 2, rate 1

    EXPECT_EQ(m_currentId, L"ID_PROFILE_1");
    EXPECT_EQ(m_profiles.Count(), 1u);
    EXPECT_EQ(m_window.events, (std::vector<std::string>{"show 2,1", "save"}));
    EXPECT_EQ(m_profiles.FindProfile(L"ID_PROFILE_1")->m_cpi1, 2u);
    EXPECT_EQ(m_profiles.FindProfile(L"ID_PROFILE_1")->m_reportRate, 1u);
}

TEST_F(Reactions, SettingsReportSelectsAnotherMatchingProfile) {
    auto other = Standard();
    other[4] = m_launch;
    AddCurrentProfile(L"ID_PROFILE_OTHER", other);
    AddCurrentProfile(L"ID_PROFILE_PLAIN", Standard());
    SettingsReport({0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x01});
    EXPECT_EQ(m_currentId, L"ID_PROFILE_OTHER");
    EXPECT_EQ(m_window.events, (std::vector<std::string>{"refresh", "show 0,0", "save"}));
}

TEST_F(Reactions, UnmatchedSettingsReportCreatesTheProfileTheMouseHolds) {
    AddCurrentProfile(L"ID_PROFILE_1", Standard());
    const std::size_t actionsBefore = m_actions.Count();
    // Left keypress macro, middle disabled, right text, button 4 launch, button 5 native.
    SettingsReport({0x08, 0x04, 0x02, 0x01, 0x00, 0x08, 0x04});

    ASSERT_EQ(m_profiles.Count(), 2u);
    const CProfileVireo* created = m_profiles.At(1);
    EXPECT_EQ(created->m_name, L"Profile2");
    EXPECT_EQ(m_currentId, created->m_id);
    EXPECT_NE(created->m_id, L"ID_PROFILE_1");
    EXPECT_EQ(m_window.events, (std::vector<std::string>{"refresh", "show 3,2", "save"}));
    EXPECT_EQ(m_actions.Count(), actionsBefore + 3);
    auto kindOf = [&](std::size_t button) {
        return m_actions.Find(created->m_buttonAction[button])->Kind();
    };
    EXPECT_EQ(kindOf(0), CCustomAction::kKeypressMacro);
    EXPECT_EQ(created->m_buttonEnable[1], 0u);
    EXPECT_EQ(created->m_buttonAction[1], L"ACTION_ITEM_MIDDLE_BUTTON"); // kept as copied
    EXPECT_EQ(kindOf(2), CCustomAction::kTextMacro);
    EXPECT_EQ(kindOf(3), CCustomAction::kLaunchApplication);
    EXPECT_EQ(created->m_buttonAction[4], L"ACTION_ITEM_BUTTON5");
    EXPECT_TRUE(m_mouse.FindProfileForDeviceState().has_value()); // it now matches
}

TEST_F(Reactions, ReleasesCountAndRunInButtonOrder) {
    auto buttons = Standard();
    buttons[0] = m_keypress; // left
    buttons[1] = m_text;     // middle
    buttons[2] = m_launch;   // right
    AddCurrentProfile(L"ID_PROFILE_1", buttons);
    m_mouse.m_statRunning = 1;

    Buttons(0x01); // pressed
    Buttons(0x01); // held
    EXPECT_TRUE(m_queue.posted.empty());
    Buttons(0x00); // released: runs once
    EXPECT_EQ(m_queue.posted, std::vector<std::wstring>{m_keypress});
    EXPECT_EQ(m_window.events, std::vector<std::string>{"stat 0,1"});

    m_queue.posted.clear();
    m_window.events.clear();
    Buttons(0x07); // left, right and middle down
    Buttons(0x00); // all up in one report: left, middle, right
    EXPECT_EQ(m_queue.posted, (std::vector<std::wstring>{m_keypress, m_text, m_launch}));
    EXPECT_EQ(m_window.events, (std::vector<std::string>{"stat 0,2", "stat 2,1", "stat 1,1"}));

    m_mouse.m_statRunning = 0;
    m_window.events.clear();
    Buttons(0x04);
    Buttons(0x00);
    EXPECT_TRUE(m_window.events.empty()); // not counted, still run
    EXPECT_EQ(m_queue.posted.back(), m_text);
    EXPECT_EQ(m_mouse.m_statCount[2], 1);
}

TEST_F(Reactions, DisabledButtonNeitherCountsNorRuns) {
    auto buttons = Standard();
    buttons[3] = m_keypress;
    CProfileVireo& profile = AddCurrentProfile(L"ID_PROFILE_1", buttons);
    profile.m_buttonEnable[3] = 0;
    m_mouse.m_statRunning = 1;
    Buttons(0x08);
    Buttons(0x00);
    EXPECT_TRUE(m_queue.posted.empty());
    EXPECT_TRUE(m_window.events.empty());
    EXPECT_EQ(m_mouse.m_statCount[3], 0);
}

TEST_F(Reactions, WithoutACurrentProfileClicksRunNothingAndTheMouseGetsAProfile) {
    Buttons(0x01);
    Buttons(0x00);
    EXPECT_TRUE(m_queue.posted.empty());
    EXPECT_EQ(m_mouse.m_lastButtons, 0x00);

    SettingsReport({0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x08});
    ASSERT_EQ(m_profiles.Count(), 1u);
    EXPECT_EQ(m_currentId, m_profiles.At(0)->m_id);
    EXPECT_EQ(m_profiles.At(0)->m_name, L"Profile1");
    EXPECT_EQ(m_profiles.At(0)->m_reportRate, 3u);
    EXPECT_EQ(m_window.events, (std::vector<std::string>{"refresh", "show 0,3", "save"}));
}

TEST_F(Reactions, EchoesAndForeignRepliesChangeNoProfile) {
    AddCurrentProfile(L"ID_PROFILE_1", Standard());
    device::EventRecord echo = MakeReply(device::kReplySettingsEcho, {0, 0, 0, 0, 0, 0, 0});
    m_mouse.OnEvent(&echo, sizeof(echo));
    device::EventRecord other = MakeReply(0x55, {1, 2, 3});
    m_mouse.OnEvent(&other, sizeof(other));
    EXPECT_TRUE(m_window.events.empty());
    EXPECT_EQ(m_profiles.Count(), 1u);
}

// The channel may have another owner (here the test); the reader must not outlive the
// reactions it calls.
TEST_F(Reactions, DestroyingTheDevicePartClosesTheChannelFirst) {
    auto other = std::make_unique<CDeviceReactions>(
        ModuleModel{m_profiles, m_currentId, m_actions, m_ticks});
    m_mouse.Detach();
    other->Attach(m_driver, true);
    ASSERT_TRUE(m_driver->ReaderRunning());
    other.reset();
    EXPECT_FALSE(m_driver->IsOpen());
    EXPECT_FALSE(m_driver->ReaderRunning());
    EXPECT_EQ(m_fake->LiveHandles(), 0);
}

} // namespace
