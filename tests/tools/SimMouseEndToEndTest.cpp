// End to end: the real channel (CDriverVireo over the Win32 seam) against the simulated
// Kestrel driver loaded in Wine's winedevice. Needs the driver running (fixture
// simmouse_install) and runs alone on it (RESOURCE_LOCK simmouse).
#include "module/device/CDeviceVireo.h"
#include "module/device/CDriverVireo.h"
#include "tests/support/TempDir.h"
#include "tools/simmouse/SimMouseClient.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

using namespace std::chrono_literals;
using device::RecordClass;

namespace {

// The module window's device part: classifies each record and keeps what it saw.
class ProbeDevice : public CDeviceVireo {
public:
    ~ProbeDevice() override {
        if (m_driver)
            m_driver->Close();
    }
    void OnEvent(const EventRecord* record, int size) override {
        const RecordClass kind = ClassifyRecord(record, size);
        std::lock_guard<std::mutex> lock(m_lock);
        m_records.push_back(*record);
        m_classes.push_back(kind);
        m_changed.notify_all();
    }
    bool WaitFor(std::size_t count, std::chrono::milliseconds timeout = 5s) {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, timeout, [&] { return m_classes.size() >= count; });
    }
    std::vector<RecordClass> Classes() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_classes;
    }
    std::vector<EventRecord> Records() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_records;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<EventRecord> m_records;
    std::vector<RecordClass> m_classes;
};

class SimMouseTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(control.Open()) << "the simulated driver is not running";
        ASSERT_TRUE(control.Reset());
        g_buttonPassMask = 0x03;
    }
    void TearDown() override { g_buttonPassMask = 0x03; }

    std::vector<std::vector<std::uint8_t>> LoggedReports() {
        std::vector<SimMouseLogEntry> entries;
        EXPECT_TRUE(control.GetLog(&entries));
        std::vector<std::vector<std::uint8_t>> reports;
        for (const auto& e : entries)
            if (e.type == SIMMOUSE_LOG_REPORT)
                reports.emplace_back(e.data, e.data + e.length);
        return reports;
    }
    bool WaitForPendingPolls(unsigned count) {
        for (int i = 0; i < 500; ++i) {
            SimMouseStatus status = {};
            if (control.GetStatus(&status) && status.pendingPolls == count)
                return true;
            Sleep(5);
        }
        return false;
    }

    simmouse::Device control;
};

TEST_F(SimMouseTest, ReadAndWriteSettingsConversation) {
    auto driver = std::make_shared<CDriverVireo>();
    ASSERT_TRUE(driver->IsOpen());
    EXPECT_EQ(driver->DevicePath(), L"\\\\.\\QuillonKeyboard");
    ProbeDevice mouse;
    mouse.Attach(driver, true);

    ASSERT_TRUE(driver->SendReadSettings());
    ASSERT_TRUE(mouse.WaitFor(1));
    EXPECT_EQ(mouse.Classes()[0].kind, RecordClass::SettingsReport);
    EXPECT_EQ(mouse.Records()[0].kind, 9);
    EXPECT_EQ(mouse.Records()[0].size, 8);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{0, 0, 0, 0, 0, 0x02, 0x08}));

    driver->SetState({0, 8, 4, 0, 0, 0x04, 0x02});
    ASSERT_TRUE(driver->SendSettings());
    ASSERT_TRUE(mouse.WaitFor(2));
    EXPECT_EQ(mouse.Classes()[1].kind, RecordClass::SettingsEcho);
    EXPECT_FALSE(mouse.Classes()[1].resent);

    SimMouseStatus status = {};
    ASSERT_TRUE(control.GetStatus(&status));
    EXPECT_EQ(0, std::memcmp(status.state, "\x00\x08\x04\x00\x00\x04\x02", 7));
    const auto reports = LoggedReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0],
              (std::vector<std::uint8_t>{0xAB, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83}));
    EXPECT_EQ(reports[1], (std::vector<std::uint8_t>{0xCA, 0, 8, 4, 0, 0, 0x04, 0x02}));
}

TEST_F(SimMouseTest, AnEchoThatDiffersIsAnsweredWithOneReSend) {
    auto driver = std::make_shared<CDriverVireo>();
    ProbeDevice mouse;
    mouse.Attach(driver, true);
    ASSERT_TRUE(control.AlterEchoes(1));
    driver->SetState({0, 0, 0, 0, 0, 0x04, 0x02});
    ASSERT_TRUE(driver->SendSettings());
    ASSERT_TRUE(mouse.WaitFor(2));
    const auto classes = mouse.Classes();
    EXPECT_TRUE(classes[0].resent);
    EXPECT_FALSE(classes[1].resent);
    Sleep(50);
    EXPECT_EQ(mouse.Classes().size(), 2u);
    const auto reports = LoggedReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], reports[1]);
}

TEST_F(SimMouseTest, ButtonMaskPacketsReachTheDriver) {
    auto driver = std::make_shared<CDriverVireo>();
    ProbeDevice mouse;
    mouse.Attach(driver, true);
    mouse.SetButtonBlocked(0x02, true);
    mouse.SetButtonBlocked(0x1C, false);
    SimMouseStatus status = {};
    ASSERT_TRUE(control.GetStatus(&status));
    EXPECT_EQ(status.masksReceived, 2u);
    EXPECT_EQ(status.passMask, 0x1D);
    std::vector<SimMouseLogEntry> entries;
    ASSERT_TRUE(control.GetLog(&entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].type, SIMMOUSE_LOG_MASK);
    const std::uint8_t first[13] = {0x03, 0x73, 0x45, 0x0C, 0xFF, 0x00, 0x01,
                                    0x02, 0xFF, 0x01, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(0, std::memcmp(entries[0].data, first, 13));
}

TEST_F(SimMouseTest, ASimulatedClickReachesOnEventAsReports01Then00) {
    auto driver = std::make_shared<CDriverVireo>();
    ProbeDevice mouse;
    mouse.Attach(driver, true);
    ASSERT_TRUE(control.Inject(std::vector<std::uint8_t>{0x01, 0x00}));
    ASSERT_TRUE(mouse.WaitFor(2));
    const auto classes = mouse.Classes();
    EXPECT_EQ(classes[0].kind, RecordClass::ButtonReport);
    EXPECT_EQ(classes[0].buttons, 0x01);
    EXPECT_EQ(classes[1].kind, RecordClass::ButtonReport);
    EXPECT_EQ(classes[1].buttons, 0x00);
    EXPECT_EQ(mouse.Records()[0].size, 4);
}

TEST_F(SimMouseTest, TheMouseChangingItsOwnStateSendsASettingsReport) {
    auto driver = std::make_shared<CDriverVireo>();
    ProbeDevice mouse;
    mouse.Attach(driver, true);
    const std::uint8_t state[7] = {0, 0, 0, 0, 0, 0x08, 0x01};
    ASSERT_TRUE(control.SetState(state));
    ASSERT_TRUE(mouse.WaitFor(1));
    EXPECT_EQ(mouse.Classes()[0].kind, RecordClass::SettingsReport);
    EXPECT_EQ(driver->GetState(), (device::DeviceState{0, 0, 0, 0, 0, 0x08, 0x01}));
    EXPECT_EQ(device::DecodeIndex(driver->GetState()[5]), 3);
}

TEST_F(SimMouseTest, ManyReportsArriveInOrderAcrossBlocks) {
    auto driver = std::make_shared<CDriverVireo>();
    ProbeDevice mouse;
    mouse.Attach(driver, true);
    std::vector<std::uint8_t> reports(300);
    for (std::size_t i = 0; i < reports.size(); ++i)
        reports[i] = static_cast<std::uint8_t>(i & 0x1F);
    ASSERT_TRUE(control.Inject(reports));
    ASSERT_TRUE(mouse.WaitFor(reports.size(), 10s));
    const auto records = mouse.Records();
    for (std::size_t i = 0; i < reports.size(); ++i)
        ASSERT_EQ(records[i].data[0], reports[i]) << i;
}

TEST_F(SimMouseTest, CloseWithAPollPendingReturnsPromptlyAndTheThreadHasEnded) {
    auto driver = std::make_shared<CDriverVireo>();
    ProbeDevice mouse;
    mouse.Attach(driver, true);
    ASSERT_TRUE(WaitForPendingPolls(1));
    const auto start = std::chrono::steady_clock::now();
    driver->Close();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, 500ms);
    EXPECT_FALSE(driver->ReaderRunning());
    EXPECT_FALSE(driver->IsOpen());
    EXPECT_TRUE(WaitForPendingPolls(0)); // cancelled in the driver too
    // Reports after Close reach no one and the channel can be opened again.
    ASSERT_TRUE(control.Inject(0x01));
    EXPECT_FALSE(mouse.WaitFor(1, 100ms));
    ASSERT_TRUE(driver->Open(L"\\\\.\\QuillonKeyboard"));
    ASSERT_TRUE(mouse.WaitFor(1));
    EXPECT_EQ(mouse.Classes()[0].buttons, 0x01);
}

TEST_F(SimMouseTest, DestroyingTheDeviceWhileReportsFlowClosesTheChannel) {
    for (int round = 0; round < 5; ++round) {
        auto driver = std::make_shared<CDriverVireo>();
        {
            ProbeDevice mouse;
            mouse.Attach(driver, true);
            ASSERT_TRUE(control.Inject(std::vector<std::uint8_t>(500, 0x01)));
            mouse.WaitFor(10);
        }
        EXPECT_FALSE(driver->ReaderRunning());
        EXPECT_FALSE(driver->IsOpen());
        control.Reset();
    }
}

// kestrel-sim as a person would run it.
DWORD RunTool(const std::wstring& arguments, HWND pumpWindow = nullptr) {
    std::wstring command =
        L"\"" + testing_support::ProgramDir() + L"\\kestrel-sim.exe\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "kestrel-sim did not start, error " << GetLastError();
        return 0xFFFFFFFF;
    }
    // Pump this thread's messages: the tool sends WM_DEVICECHANGE to our window.
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 10000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageW(&msg, pumpWindow, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    DWORD code = 0xFFFFFFFF;
    if (!GetExitCodeProcess(process.hProcess, &code))
        ADD_FAILURE() << "no exit code of kestrel-sim, error " << GetLastError();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST_F(SimMouseTest, ToolClickPressAndReleaseInjectReports) {
    auto driver = std::make_shared<CDriverVireo>();
    ProbeDevice mouse;
    mouse.Attach(driver, true);
    EXPECT_EQ(RunTool(L"click left"), 0u);
    EXPECT_EQ(RunTool(L"press 3"), 0u);
    EXPECT_EQ(RunTool(L"release 3"), 0u);
    EXPECT_EQ(RunTool(L"cpi 2"), 0u);
    EXPECT_EQ(RunTool(L"press nothing"), 2u);
    ASSERT_TRUE(mouse.WaitFor(5));
    const auto classes = mouse.Classes();
    EXPECT_EQ(classes[0].buttons, 0x01);
    EXPECT_EQ(classes[1].buttons, 0x00);
    EXPECT_EQ(classes[2].buttons, 0x04);
    EXPECT_EQ(classes[3].buttons, 0x00);
    EXPECT_EQ(classes[4].kind, RecordClass::SettingsReport);
    EXPECT_EQ(driver->GetState()[5], 0x04);
}

struct Announcement {
    WPARAM event = 0;
    std::wstring path;
    DWORD deviceType = 0;
};
std::vector<Announcement> g_announcements;

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE && lParam) {
        const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
        Announcement a;
        a.event = wParam;
        a.deviceType = header->dbch_devicetype;
        if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
            a.path = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam)->dbcc_name;
        g_announcements.push_back(a);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(SimMouseTest, ToolAnnouncesTheHidInterfaceToAWindow) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ListenerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SimMouseListener";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"SimMouseListener", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    wchar_t handle[32];
    swprintf(handle, 32, L"%llx",
             static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    g_announcements.clear();
    EXPECT_EQ(RunTool(std::wstring(L"arrive ") + handle), 0u);
    EXPECT_EQ(RunTool(std::wstring(L"remove ") + handle), 0u);
    ASSERT_EQ(g_announcements.size(), 2u);
    EXPECT_EQ(g_announcements[0].event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
    EXPECT_EQ(g_announcements[1].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_EQ(g_announcements[0].deviceType, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
    EXPECT_EQ(g_announcements[0].path, simmouse::InterfacePath());
    EXPECT_NE(g_announcements[0].path.find(L"vid_0c45&pid_7303"), std::wstring::npos);
    DestroyWindow(window);
}

} // namespace
