#include "tests/module/core/ModuleEndToEnd.h"

#include "host/resource.h"
#include "module/actions/BuiltInActions.h"
#include "module/actions/CCustomActionList.h"
#include "module/core/resource.h"
#include "module/device/CDriverVireo.h"
#include "module/pages/InfoPagesResource.h"

#include <commctrl.h>

const wchar_t kStorePath[] = L"SOFTWARE\\Ardent,Inc.\\vireo";

void StoreOneKeyMacro(platform::IKeyValueStore& root, const wchar_t* id, const wchar_t* name,
                      std::uint16_t vk, std::uint32_t holdMs) {
    CCustomActionList actions;
    AddMissingBuiltInActions(actions);
    CCustomAction macro(id);
    macro.m_name = name;
    macro.SetKind(CCustomAction::kKeypressMacro);
    MacroStep down;
    down.type = MacroStep::kKeyboardInput;
    down.wVk = vk;
    down.wScan = static_cast<std::uint16_t>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    down.time = holdMs;
    MacroStep up = down;
    up.dwFlags = MacroStep::kKeyUp;
    up.time = 0;
    macro.m_macro.m_steps = {down, up};
    actions.AppendAction(macro);
    actions.SaveAll(&root);
}

bool WaitUntil(const std::function<bool()>& done, DWORD boundMs) {
    for (DWORD waited = 0;; waited += 20) {
        if (done())
            return true;
        if (waited >= boundMs)
            return false;
        Sleep(20);
    }
}

void ModuleEndToEnd::StartHost(HostProcess& host) {
    ASSERT_TRUE(m_mouse.Open());
    ASSERT_TRUE(m_mouse.Reset());
    ASSERT_TRUE(host.Started());
    ASSERT_TRUE(WaitUntil([&] { return (m_host = simmouse::FindHostWindow()) != nullptr; }));
    // The module window is there, and its reader waits on the mouse.
    ASSERT_TRUE(WaitUntil([&] {
        m_module = FindModuleWindow();
        SimMouseStatus status = {};
        return m_module && m_mouse.GetStatus(&status) && status.pendingPolls > 0;
    }));
}

HWND ModuleEndToEnd::FindModuleWindow() const {
    for (HWND child = GetWindow(m_host, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgItem(child, IDC_BTN_SAVE) && GetDlgItem(child, IDC_RADIO_PAGE1))
            return child;
    }
    return nullptr;
}

HWND ModuleEndToEnd::Page(int childId) const {
    for (HWND page = GetWindow(m_module, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT)) {
        if (GetDlgItem(page, childId))
            return page;
    }
    return nullptr;
}

int ModuleEndToEnd::CpiSlider() const {
    return static_cast<int>(SendMessageW(PageItem(IDC_SLIDER_CPI), TBM_GETPOS, 0, 0));
}

std::wstring ModuleEndToEnd::Text(HWND window) {
    wchar_t text[260] = {};
    GetWindowTextW(window, text, 260);
    return text;
}

void ModuleEndToEnd::MouseReports(std::initializer_list<std::uint8_t> state) {
    const int writes = Reports(device::kCommandWriteSettings);
    std::vector<std::uint8_t> bytes(state);
    ASSERT_TRUE(m_mouse.SetState(bytes.data()));
    ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == writes + 1; }));
}

void ModuleEndToEnd::Press(std::uint8_t button) {
    ASSERT_TRUE(m_mouse.Inject(button));
    ASSERT_TRUE(m_mouse.Inject(0));
}

SimMouseStatus ModuleEndToEnd::Status() {
    SimMouseStatus status = {};
    EXPECT_TRUE(m_mouse.GetStatus(&status));
    return status;
}

std::vector<SimMouseLogEntry> ModuleEndToEnd::Log() {
    std::vector<SimMouseLogEntry> entries;
    EXPECT_TRUE(m_mouse.GetLog(&entries));
    return entries;
}

int ModuleEndToEnd::Reports(std::uint8_t command) {
    int count = 0;
    for (const SimMouseLogEntry& entry : Log())
        count += entry.type == SIMMOUSE_LOG_REPORT && entry.data[0] == command;
    return count;
}

HWND ModuleEndToEnd::HostList(int id) const {
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    EnumChildWindows(
        m_host,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[32] = {};
            GetClassNameW(child, name, 32);
            if (GetDlgCtrlID(child) == s->id && _wcsicmp(name, L"ListBox") == 0) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int ModuleEndToEnd::HostProfileCount() const {
    return static_cast<int>(SendMessageW(HostList(IDC_LIST_PROFILE), LB_GETCOUNT, 0, 0));
}

ModuleEndToEnd::Stored ModuleEndToEnd::ReadStore() const {
    Stored stored;
    auto user = platform::OpenCurrentUserStore();
    if (user)
        LoadProfiles(user->OpenKey(kStorePath).get(), stored.profiles, stored.currentId, 0);
    return stored;
}
