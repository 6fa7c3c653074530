// Not a test: pictures of the real host with the module window on each tab, the simulated
// mouse announced and a few of its clicks counted, for review.
//   host_screens FOLDER   writes FOLDER\host-buttons.png, host-settings.png, host-statistics.png
// Needs the simulated driver running (kestrel-sim install) and the session's display.
#include "framework/DeviceContext.h"
#include "framework/Handle.h"
#include "framework/Picture.h"
#include "module/actions/BuiltInActions.h"
#include "module/actions/CCustomActionList.h"
#include "module/core/resource.h"
#include "module/device/CDriverVireo.h"
#include "module/pages/InfoPagesResource.h"
#include "module/profiles/ProfileStore.h"
#include "tests/module/core/RunningHost.h"
#include "tests/platform/CurrentUserKeyGuard.h"
#include "tools/gallery/ImageEncoders.h"
#include "tools/simmouse/SimMouseClient.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using host_driver::WaitUntil;

const wchar_t kStorePath[] = L"SOFTWARE\\Ardent,Inc.\\vireo";

// A store a user might have: three profiles, one with a macro on the back button.
bool SeedStore() {
    auto user = platform::OpenCurrentUserStore();
    if (!user)
        return false;
    auto root = user->CreateKey(kStorePath);
    CCustomActionList actions;
    AddMissingBuiltInActions(actions);
    CCustomAction macro(L"ID_ACTION_9");
    macro.m_name = L"Reload";
    macro.SetKind(CCustomAction::kKeypressMacro);
    for (std::uint32_t flags : {std::uint32_t{0}, MacroStep::kKeyUp}) {
        MacroStep step;
        step.type = MacroStep::kKeyboardInput;
        step.wVk = 'R';
        step.wScan = static_cast<std::uint16_t>(MapVirtualKeyW('R', MAPVK_VK_TO_VSC));
        step.dwFlags = flags;
        step.time = 40;
        macro.m_macro.m_steps.push_back(step);
    }
    actions.AppendAction(macro);
    actions.SaveAll(root.get());
    CProfileList profiles;
    profiles.Append(CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office"));
    CProfileVireo games = CProfileVireo::MakeStandard(L"ID_PROFILE_2", L"Games");
    games.m_buttonAction[3] = L"ID_ACTION_9";
    games.m_cpi1 = 3;
    profiles.Append(games);
    CProfileVireo drawing = CProfileVireo::MakeStandard(L"ID_PROFILE_3", L"Drawing");
    drawing.m_cpi1 = 0;
    profiles.Append(drawing);
    SaveProfiles(root.get(), profiles, L"ID_PROFILE_1");
    return true;
}

int Reports(simmouse::Device& mouse, std::uint8_t command) {
    std::vector<SimMouseLogEntry> log;
    mouse.GetLog(&log);
    int count = 0;
    for (const SimMouseLogEntry& entry : log)
        count += entry.type == SIMMOUSE_LOG_REPORT && entry.data[0] == command;
    return count;
}

std::wstring Text(HWND window) {
    wchar_t text[260] = {};
    GetWindowTextW(window, text, 260);
    return text;
}

// The host window as it is on the screen. Its repaint is done first: the host paints its
// windows when the request returns.
bool SaveScreenArea(HWND window, const std::wstring& path) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageW(window, WM_NULL, 0, 0);
    RECT rect = {};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    fw::WindowDc screen(nullptr);
    fw::MemoryDc memory(screen.Get());
    fw::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        fw::SelectedObject selected(memory.Get(), bitmap.get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
    }
    Gdiplus::Bitmap picture(bitmap.get(), nullptr);
    CLSID png;
    const bool saved = gallery::FindEncoder(L"image/png", &png) &&
                       picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    std::printf("%ls %s\n", path.c_str(), saved ? "saved" : "not saved");
    return saved;
}

bool Fail(const char* what) {
    std::fprintf(stderr, "host_screens: %s\n", what);
    return false;
}

bool Shoot(const std::wstring& out) {
    simmouse::Device mouse;
    if (!mouse.Open() || !mouse.Reset())
        return Fail("the simulated mouse is not there (kestrel-sim install)");
    if (!SeedStore())
        return Fail("the store cannot be written");
    host_driver::RunningHost host;
    if (!host.WaitForWindows())
        return Fail("Gearhost did not start");
    // The module's reader waits on the mouse before it is announced.
    if (!WaitUntil([&] {
            SimMouseStatus status = {};
            return mouse.GetStatus(&status) && status.pendingPolls > 0;
        }))
        return Fail("the module does not read the mouse");
    if (!simmouse::AnnounceInterface(host.Host(), true) ||
        !WaitUntil([&] { return Reports(mouse, device::kCommandWriteSettings) == 1; }))
        return Fail("the mouse's arrival was not answered");
    if (!host.ShowFromTray())
        return Fail("the host window did not open from the notification area");
    // The pointer off the window: nothing drawn as hovered.
    SetCursorPos(0, 0);

    host.ClickModule(IDC_RADIO_PAGE1);
    bool saved = SaveScreenArea(host.Host(), out + L"\\host-buttons.png");
    host.ClickModule(IDC_RADIO_PAGE2);
    saved = SaveScreenArea(host.Host(), out + L"\\host-settings.png") && saved;

    host.ClickModule(IDC_RADIO_PAGE3);
    SendMessageW(host.PageItem(IDC_BTN_START_STOP), BM_CLICK, 0, 0);
    const struct {
        std::uint8_t bit;
        int clicks;
    } presses[] = {{0x01, 14}, {0x02, 6}, {0x04, 3}, {0x08, 9}, {0x10, 1}};
    for (const auto& press : presses) {
        for (int i = 0; i < press.clicks; ++i) {
            if (!mouse.Inject(press.bit) || !mouse.Inject(0))
                return Fail("a click could not be injected");
        }
    }
    const HWND stats = host.Page(IDC_BTN_START_STOP);
    if (!WaitUntil([&] {
            return Text(GetDlgItem(stats, IDC_INDICATOR_BUTTON1 + 4)) == L"Forward Button - 1";
        }))
        return Fail("the clicks were not counted");
    // A clock that has run.
    if (!WaitUntil([&] { return Text(GetDlgItem(stats, IDC_TIMER)) != L"00:00:00"; }))
        return Fail("the clock does not run");
    saved = SaveScreenArea(host.Host(), out + L"\\host-statistics.png") && saved;
    return saved;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: host_screens FOLDER\n");
        return 2;
    }
    wchar_t folder[MAX_PATH] = {};
    GetFullPathNameW(argv[1], MAX_PATH, folder, nullptr);
    CreateDirectoryW(folder, nullptr);
    fw::GdiplusSession gdiplus;
    testing_support::CurrentUserKeyGuard store{kStorePath};
    return Shoot(folder) ? 0 : 1;
}
