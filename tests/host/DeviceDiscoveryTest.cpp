// The host window's device list, driven by device-change records as the system sends them.
#include "host/CGearhostApp.h"
#include "host/CGearhostDlg.h"
#include "host/DeviceInterfaces.h"
#include "skin/CSkinScrollFrame.h"
#include "tests/host/CallRecorder.h"
#include "tests/support/TempDir.h"

#include <dbt.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>

namespace {

using testing_support::ProgramDir;
using testing_support::TempDir;
using Calls = std::vector<std::wstring>;
using Bytes = std::vector<unsigned char>;

const std::wstring kHidTail = L"#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const std::wstring kMouseFirst = L"\\\\?\\hid#vid_0c45&pid_7303&mi_00" + kHidTail;
const std::wstring kMouseSecond = L"\\\\?\\HID#VID_0C45&PID_7303&MI_01#7&2B3C4D5E&0&0000";
const std::wstring kOther = L"\\\\?\\hid#vid_046d&pid_c077" + kHidTail;

constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);

// A device-interface record; the size field counts the terminator only when there is one.
Bytes InterfaceRecord(const std::wstring& name, bool terminated = true,
                      DWORD type = DBT_DEVTYP_DEVICEINTERFACE) {
    const size_t chars = name.size() + (terminated ? 1 : 0);
    Bytes bytes(kNameOffset + chars * sizeof(wchar_t), 0);
    DEV_BROADCAST_DEVICEINTERFACE_W header = {};
    header.dbcc_size = static_cast<DWORD>(bytes.size());
    header.dbcc_devicetype = type;
    header.dbcc_classguid = HidInterfaceClass();
    std::memcpy(bytes.data(), &header, kNameOffset);
    std::memcpy(bytes.data() + kNameOffset, name.data(), name.size() * sizeof(wchar_t));
    return bytes;
}

// Bytes placed flush against a page that cannot be read, so a read past them crashes.
class GuardedBytes {
public:
    explicit GuardedBytes(const Bytes& bytes) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        const size_t page = system.dwPageSize;
        const size_t dataPages = (bytes.size() + page - 1) / page + 1;
        m_block.reset(static_cast<unsigned char*>(VirtualAlloc(
            nullptr, (dataPages + 1) * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)));
        DWORD old = 0;
        VirtualProtect(m_block.get() + dataPages * page, page, PAGE_NOACCESS, &old);
        m_data = m_block.get() + dataPages * page - bytes.size();
        std::memcpy(m_data, bytes.data(), bytes.size());
    }
    LPARAM Param() const { return reinterpret_cast<LPARAM>(m_data); }

private:
    struct Release {
        void operator()(unsigned char* block) const { VirtualFree(block, 0, MEM_RELEASE); }
    };
    std::unique_ptr<unsigned char, Release> m_block;
    unsigned char* m_data = nullptr;
};

class DeviceDiscovery : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus; // a scroll frame draws its margin with it
    TempDir m_dir;
    CGearhostApp m_app;
    std::unique_ptr<CGearhostDlg> m_dialog;
    Calls m_startCalls;    // what the modules saw while the window was created
    HWND m_list = nullptr; // the device list itself (its id names the frame around it)

    void SetUp() override {
        ASSERT_TRUE(CGearhostApp::RegisterHostWindowClass(GetModuleHandleW(nullptr)));
    }
    void TearDown() override {
        if (m_dialog && m_dialog->GetSafeHwnd())
            m_dialog->DestroyWindow();
        m_dialog.reset();
        m_app.FreeModules();
        CMultiLanguage::s_currentLanguage.clear();
        CMultiLanguage::s_languages.clear();
        CMultiLanguage::s_texts.clear();
    }

    void Start(const std::vector<std::wstring>& modules) {
        std::string ini = "[gaming_module]\r\n";
        for (size_t i = 0; i < modules.size(); ++i) {
            std::wstring path = ProgramDir() + L"\\" + modules[i] + L".dll";
            ini += "module" + std::to_string(i + 1) + "=" + std::string(path.begin(), path.end()) +
                   "\r\n";
        }
        m_dir.Write(L"module.ini", ini);
        m_app.m_strAppDir = m_dir.Path();
        m_app.LoadModules();
        ASSERT_EQ(m_app.m_modules.size(), modules.size());
        ClearRecordedCalls();
        m_dialog = std::make_unique<CGearhostDlg>();
        ASSERT_TRUE(m_dialog->Create(CGearhostDlg::IDD));
        m_list = m_dialog->m_listDevice.GetSafeHwnd();
        m_startCalls = RecordedCalls();
        ClearRecordedCalls();
    }

    LRESULT Notify(WPARAM event, LPARAM record) {
        return SendMessageW(m_dialog->GetSafeHwnd(), WM_DEVICECHANGE, event, record);
    }
    void Arrive(const std::wstring& path) {
        Bytes record = InterfaceRecord(path);
        EXPECT_EQ(Notify(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(record.data())), TRUE);
    }
    void Remove(const std::wstring& path) {
        Bytes record = InterfaceRecord(path);
        EXPECT_EQ(Notify(DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(record.data())), TRUE);
    }
    // The user picks a device in the list.
    void Pick(int index) {
        HWND list = m_dialog->m_listDevice.GetSafeHwnd();
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(m_dialog->GetSafeHwnd(), WM_COMMAND,
                     MAKEWPARAM(IDC_LIST_DEVICE, LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_list));
    }

    std::vector<std::wstring> Listed() const {
        HWND list = m_dialog->m_listDevice.GetSafeHwnd();
        std::vector<std::wstring> items;
        for (int i = 0, n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
            wchar_t text[64] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    }
    // Name of the selected item's module (from its item data), or empty.
    std::wstring Selected() const {
        HWND list = m_dialog->m_listDevice.GetSafeHwnd();
        LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (index == LB_ERR)
            return L"";
        auto* module = reinterpret_cast<IGamingModule*>(
            SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
        return module->GetDeviceName();
    }
    // Names of the modules whose window is shown, in load order.
    std::vector<std::wstring> ShownWindows() const {
        std::vector<std::wstring> shown;
        for (IGamingModule* module : m_app.m_modules) {
            if (GetWindowLongW(module->GetWindow()->GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE)
                shown.emplace_back(module->GetDeviceName());
        }
        return shown;
    }
    bool NoDeviceTextShown() const {
        HWND text = GetDlgItem(m_dialog->GetSafeHwnd(), IDC_STATIC_NO_DEVICE);
        return (GetWindowLongW(text, GWL_STYLE) & WS_VISIBLE) != 0;
    }
};

TEST_F(DeviceDiscovery, StartsWithNoDeviceAndHandsTheLanguageToEveryModule) {
    Start({L"testmod_mouse", L"testmod_other"});
    EXPECT_EQ(m_startCalls,
              (Calls{L"testmod_mouse:language:English", L"testmod_other:language:English"}));
    EXPECT_TRUE(Listed().empty());
    EXPECT_TRUE(NoDeviceTextShown());
    EXPECT_TRUE(ShownWindows().empty());
    wchar_t text[128] = {};
    GetDlgItemTextW(m_dialog->GetSafeHwnd(), IDC_STATIC_NO_DEVICE, text, 128);
    EXPECT_STREQ(text, L"Please plus some devices supported by the driver!");
}

TEST_F(DeviceDiscovery, StartLeavesALanguageFileTheSystemCannotReadByteForByte) {
    // UTF-16 without a byte-order mark: the system reads it as ANSI and finds no section.
    const std::wstring text = L"[Language]\r\nDefault=Deutsch\r\nL1=English\r\nL2=Deutsch\r\n"
                              L"[Deutsch]\r\nID1=IDC_STATIC_NO_DEVICE\r\nTEXT1=Kein Gerät\r\n";
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    CreateDirectoryW(m_dir.File(L"Language").c_str(), nullptr);
    m_dir.Write(L"Language\\l_gearhost.ini", bytes);

    Start({L"testmod_mouse"});

    EXPECT_EQ(m_startCalls, Calls{L"testmod_mouse:language:English"});
    EXPECT_EQ(m_dir.Read(L"Language\\l_gearhost.ini"), bytes);
}

TEST_F(DeviceDiscovery, DeviceWithTwoInterfacesIsListedFromTheFirstArrivalToTheLastRemoval) {
    Start({L"testmod_mouse"});
    Arrive(kMouseFirst);
    Arrive(kMouseSecond); // upper case: the same device
    EXPECT_EQ(Listed(), Calls{L"testmod_mouse"});
    EXPECT_EQ(Selected(), L"testmod_mouse");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_mouse"});
    EXPECT_FALSE(NoDeviceTextShown());
    EXPECT_EQ(RecordedCalls(), Calls{L"testmod_mouse:connected:1"});

    Remove(kMouseSecond);
    EXPECT_EQ(Listed(), Calls{L"testmod_mouse"});
    EXPECT_EQ(RecordedCalls(), Calls{L"testmod_mouse:connected:1"});

    // The selected and only device goes: nothing selected or shown, the hint comes back.
    Remove(kMouseFirst);
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(Selected(), L"");
    EXPECT_TRUE(ShownWindows().empty());
    EXPECT_TRUE(NoDeviceTextShown());
    EXPECT_EQ(m_dialog->m_nCurDevice, -1);
    EXPECT_EQ(RecordedCalls(), (Calls{L"testmod_mouse:connected:1", L"testmod_mouse:connected:0"}));

    // Extra removals change nothing; the device comes back as new.
    Remove(kMouseFirst);
    EXPECT_EQ(m_dialog->m_interfaceCounts.Count(L"vid_0c45&pid_7303"), 0);
    Arrive(kMouseFirst);
    EXPECT_EQ(Listed(), Calls{L"testmod_mouse"});
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_mouse"});
    EXPECT_EQ(RecordedCalls(), (Calls{L"testmod_mouse:connected:1", L"testmod_mouse:connected:0",
                                      L"testmod_mouse:connected:1"}));
}

// The skinned list sits in a scroll frame that answers to the list's id.
TEST_F(DeviceDiscovery, DeviceListIsReachedThoughAFrameTakesItsPlace) {
    Start({L"testmod_mouse", L"testmod_other"});
    CSkinScrollFrame* frame = m_dialog->m_listDevice.m_pScrollFrame;
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(GetDlgItem(m_dialog->GetSafeHwnd(), IDC_LIST_DEVICE), frame->GetSafeHwnd());

    Arrive(kMouseFirst);
    Arrive(kOther);
    EXPECT_EQ(Listed(), (Calls{L"testmod_mouse", L"testmod_other"}));
    EXPECT_EQ(Selected(), L"testmod_mouse");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_mouse"});
    Pick(1);
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_other"});
    Remove(kOther);
    EXPECT_EQ(Listed(), Calls{L"testmod_mouse"});
    EXPECT_EQ(Selected(), L"testmod_mouse");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_mouse"});
}

TEST_F(DeviceDiscovery, TwoModulesWithOnePairListTheFirstAndLetTheDeviceGo) {
    Start({L"testmod_mouse", L"testmod_twin"});
    Arrive(kMouseFirst);
    EXPECT_EQ(Listed(), Calls{L"testmod_mouse"});
    Remove(kMouseFirst);
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(RecordedCalls(), (Calls{L"testmod_mouse:connected:1", L"testmod_mouse:connected:0"}));
}

TEST_F(DeviceDiscovery, RemovalKeepsTheShownDeviceOrHandsOverToARemainingOne) {
    Start({L"testmod_mouse", L"testmod_other"});
    Arrive(kMouseFirst);
    Arrive(kOther);
    EXPECT_EQ(Listed(), (Calls{L"testmod_mouse", L"testmod_other"}));
    EXPECT_EQ(Selected(), L"testmod_mouse");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_mouse"});

    // An unselected device goes: selection and shown window stay.
    Remove(kOther);
    EXPECT_EQ(Listed(), Calls{L"testmod_mouse"});
    EXPECT_EQ(Selected(), L"testmod_mouse");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_mouse"});

    // An unselected device before the shown one goes: the shown one is still tracked, so
    // picking another device later hides it.
    Arrive(kOther);
    Pick(1);
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_other"});
    Remove(kMouseFirst);
    EXPECT_EQ(Selected(), L"testmod_other");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_other"});
    Arrive(kMouseFirst);
    Pick(1);
    EXPECT_EQ(Selected(), L"testmod_mouse");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_mouse"});

    // The selected last item goes: the one before it takes over.
    Remove(kMouseFirst);
    EXPECT_EQ(Selected(), L"testmod_other");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_other"});

    // The selected first item goes while another remains: the first remaining takes over.
    Arrive(kMouseFirst);
    Pick(0);
    ASSERT_EQ(Selected(), L"testmod_other");
    Remove(kOther);
    EXPECT_EQ(Listed(), Calls{L"testmod_mouse"});
    EXPECT_EQ(Selected(), L"testmod_mouse");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_mouse"});
    EXPECT_FALSE(NoDeviceTextShown());
}

TEST_F(DeviceDiscovery, MalformedOrForeignRecordsAreReadWithinTheirSizeOnly) {
    Start({L"testmod_mouse"});
    const std::wstring longPath = kMouseFirst + std::wstring(1000 - kMouseFirst.size(), L'x');
    Bytes headerOnly = InterfaceRecord(L"", false);
    headerOnly.resize(sizeof(DEV_BROADCAST_HDR));
    reinterpret_cast<DEV_BROADCAST_HDR*>(headerOnly.data())->dbch_size = sizeof(DEV_BROADCAST_HDR);
    Bytes sizeOnly = {4, 0, 0, 0};
    Bytes understated = InterfaceRecord(kMouseFirst);
    reinterpret_cast<DEV_BROADCAST_HDR*>(understated.data())->dbch_size = kNameOffset + 20;
    struct Case {
        const char* name;
        WPARAM event;
        Bytes record; // empty: a null record
        bool listed;
    } cases[] = {
        {"path of 1,000 characters", DBT_DEVICEARRIVAL, InterfaceRecord(longPath), true},
        {"name without terminator", DBT_DEVICEARRIVAL, InterfaceRecord(kMouseFirst, false), true},
        {"path of 24 characters", DBT_DEVICEARRIVAL, InterfaceRecord(kMouseFirst.substr(0, 24)),
         false},
        {"cut name without terminator", DBT_DEVICEARRIVAL,
         InterfaceRecord(kMouseFirst.substr(0, 22), false), false},
        {"size field cuts the name", DBT_DEVICEARRIVAL, understated, false},
        {"empty name", DBT_DEVICEARRIVAL, InterfaceRecord(L""), false},
        {"header only", DBT_DEVICEARRIVAL, headerOnly, false},
        {"size field only", DBT_DEVICEARRIVAL, sizeOnly, false},
        {"not a device interface", DBT_DEVICEARRIVAL,
         InterfaceRecord(kMouseFirst, true, DBT_DEVTYP_VOLUME), false},
        {"other event", DBT_DEVICEQUERYREMOVE, InterfaceRecord(kMouseFirst), false},
        {"null record", DBT_DEVICEARRIVAL, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRecordedCalls();
        LRESULT result = TRUE;
        if (c.record.empty()) {
            result = Notify(c.event, 0);
        } else {
            GuardedBytes record(c.record);
            result = Notify(c.event, record.Param());
        }
        EXPECT_EQ(result, TRUE);
        EXPECT_EQ(Listed().size(), c.listed ? 1u : 0u);
        EXPECT_EQ(NoDeviceTextShown(), !c.listed);
        if (c.listed) {
            GuardedBytes removal(c.record);
            Notify(DBT_DEVICEREMOVECOMPLETE, removal.Param());
            EXPECT_TRUE(Listed().empty());
            EXPECT_EQ(RecordedCalls(),
                      (Calls{L"testmod_mouse:connected:1", L"testmod_mouse:connected:0"}));
        } else {
            EXPECT_TRUE(RecordedCalls().empty());
        }
    }
}

// Wine presents virtual HID devices of its own; a module serving one finds it at start.
TEST_F(DeviceDiscovery, InterfacesPresentAtStartAreListedAndTheFirstDeviceShown) {
    Start({L"testmod_other", L"testmod_wine"});
    EXPECT_EQ(Listed(), Calls{L"testmod_wine"});
    EXPECT_EQ(Selected(), L"testmod_wine");
    EXPECT_EQ(ShownWindows(), Calls{L"testmod_wine"});
    EXPECT_FALSE(NoDeviceTextShown());
    EXPECT_EQ(m_startCalls, (Calls{L"testmod_other:language:English",
                                   L"testmod_wine:language:English", L"testmod_wine:connected:1"}));
}

} // namespace
