// Not a test: what the module window costs in the host, each against a baseline of the same run.
//  - full repaint of the opened host window with each tab of the module window shown, against
//    the same windows rebuilt from the system's own controls at the same rectangles;
//  - Save and Restore (the module's buttons clicked) with the default store and with 1,000
//    stored macros, against the store code saving and re-reading the same records directly;
//  - private bytes of a running Gearhost.exe with every page shown once, against a trivial
//    window program's.
// The module store's key is set aside for the run and comes back at its end.
// Usage: module_benchmark [repaints]     (run from build/bin, with the session's display)
#include "framework/CDialog.h"
#include "host/CGearhostApp.h"
#include "host/CGearhostDlg.h"
#include "module/actions/BuiltInActions.h"
#include "module/actions/CCustomActionList.h"
#include "module/core/resource.h"
#include "module/profiles/ProfileStore.h"
#include "tests/module/core/RunningHost.h"
#include "tests/platform/CurrentUserKeyGuard.h"
#include "tests/support/BenchmarkTiming.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::Median;
using testing_support::Milliseconds;

const wchar_t kStorePath[] = L"SOFTWARE\\Ardent,Inc.\\vireo";
const wchar_t kMousePath[] = L"\\\\?\\hid#vid_0c45&pid_7303&mi_00#7&1a2b3c4d&0&0000#"
                             L"{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr int kActions = 1000;
constexpr int kSteps = 50;
const int kTabs[] = {IDC_RADIO_PAGE1, IDC_RADIO_PAGE2, IDC_RADIO_PAGE3};
const wchar_t* const kTabNames[] = {L"buttons", L"settings", L"statistics"};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double TimeRepaints(HWND window, int count) {
    return Milliseconds([&] {
               for (int i = 0; i < count; ++i)
                   RedrawWindow(window, nullptr, nullptr,
                                RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
           }) /
           count;
}

std::wstring ProgramDir() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (wchar_t* slash = wcsrchr(path, L'\\'))
        *slash = L'\0';
    return path;
}

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// The system control standing for a window of the host: the same class where the system has
// one (owner drawing taken off), a plain dialog for dialogs, a static text for the rest.
void MirrorChildren(HWND original, HWND mirror) {
    for (HWND child = GetWindow(original, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        wchar_t text[128] = {};
        GetWindowTextW(child, text, 128);
        const DWORD kept = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE)) &
                           (WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL);
        const wchar_t* type = WC_STATICW;
        DWORD style = 0;
        if (_wcsicmp(name, WC_BUTTONW) == 0) {
            type = WC_BUTTONW;
            style = BS_PUSHBUTTON;
        } else if (_wcsicmp(name, WC_LISTBOXW) == 0) {
            type = WC_LISTBOXW;
            style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
        } else if (_wcsicmp(name, WC_COMBOBOXW) == 0) {
            type = WC_COMBOBOXW;
            style = CBS_DROPDOWNLIST;
        } else if (_wcsicmp(name, WC_EDITW) == 0) {
            type = WC_EDITW;
            style = WS_BORDER | ES_AUTOHSCROLL;
        } else if (_wcsicmp(name, TRACKBAR_CLASSW) == 0) {
            type = TRACKBAR_CLASSW;
        } else if (wcscmp(name, L"#32770") == 0) {
            type = L"#32770";
        }
        RECT rect = {};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, original, reinterpret_cast<POINT*>(&rect), 2);
        HWND made = CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | kept | style, rect.left,
                                    rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                    mirror, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!made)
            continue;
        if (wcscmp(type, WC_LISTBOXW) == 0) {
            const LRESULT items = SendMessageW(child, LB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < items; ++i)
                SendMessageW(made, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Item"));
            SendMessageW(made, LB_SETCURSEL, 0, 0);
        } else if (wcscmp(type, WC_COMBOBOXW) == 0) {
            SendMessageW(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Left Button"));
            SendMessageW(made, CB_SETCURSEL, 0, 0);
        }
        MirrorChildren(child, made);
    }
}

UniqueWindow MirrorWithSystemControls(HWND original) {
    RECT rect = {};
    GetWindowRect(original, &rect);
    UniqueWindow mirror(CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                        rect.left, rect.top, rect.right - rect.left,
                                        rect.bottom - rect.top, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
    if (mirror)
        MirrorChildren(original, mirror.get());
    return mirror;
}

int CountWindows(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        count += IsWindowVisible(child) ? 1 + CountWindows(child) : 0;
    return count;
}

class NoNotifyArea : public INotifyArea {
public:
    bool Add(const NOTIFYICONDATAW&) override { return true; }
    bool Delete(const NOTIFYICONDATAW&) override { return true; }
};

HWND FindModuleWindow(HWND host) {
    for (HWND child = GetWindow(host, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgItem(child, IDC_BTN_SAVE) && GetDlgItem(child, IDC_RADIO_PAGE1))
            return child;
    }
    return nullptr;
}

void Click(HWND module, int id) {
    SendMessageW(GetDlgItem(module, id), BM_CLICK, 0, 0);
    Pump();
}

struct Repaint {
    double skinned = 0.0;
    double system = 0.0;
    int windows = 0;
    int mirrored = 0;
};

struct SaveRestore {
    double save = 0.0;
    double restore = 0.0;
    double storeSave = 0.0;
    double storeLoad = 0.0;
    std::size_t actions = 0;
};

// The store's own save and reload of what the module keeps, timed directly.
class DirectStore {
public:
    DirectStore() {
        m_user = platform::OpenCurrentUserStore();
        m_root = m_user ? m_user->CreateKey(kStorePath) : nullptr;
        m_actions.LoadAll(m_root.get(), 0);
        AddMissingBuiltInActions(m_actions);
        LoadProfiles(m_root.get(), m_profiles, m_current, 0);
    }
    std::size_t Actions() const { return m_actions.Count(); }
    void Save() const {
        m_actions.SaveAll(m_root.get());
        SaveProfiles(m_root.get(), m_profiles, m_current);
    }
    void Load() {
        m_actions.LoadAll(m_root.get(), 0);
        AddMissingBuiltInActions(m_actions);
        RestoreCurrentProfile(m_root.get(), m_profiles, m_current);
    }

private:
    std::unique_ptr<platform::IKeyValueStore> m_user;
    std::unique_ptr<platform::IKeyValueStore> m_root;
    CCustomActionList m_actions;
    CProfileList m_profiles;
    std::wstring m_current;
};

// The host window opened with the module, as host_benchmark makes it; `repaints` 0 skips the
// repaint part. Each measure alternates with its baseline in blocks, so that a change of the
// machine's load falls on both.
void MeasureInHost(int repaints, int rounds, Repaint (&repaint)[3], SaveRestore& store) {
    constexpr int kBlocks = 10;
    CGearhostApp app;
    app.m_strAppDir = ProgramDir();
    app.LoadModules();
    {
        NoNotifyArea area;
        CGearhostDlg dialog;
        dialog.SetNotifyArea(&area);
        dialog.Create(CGearhostDlg::IDD);
        dialog.OnDeviceArrival(kMousePath);
        const HWND host = dialog.GetSafeHwnd();
        SendMessageW(host, WM_TRAYNOTIFY, CTrayIcon::kIconId, WM_LBUTTONDBLCLK);
        Pump();
        const HWND module = FindModuleWindow(host);
        for (int tab = 0; repaints > 0 && tab < 3; ++tab) {
            Click(module, kTabs[tab]);
            repaint[tab].windows = CountWindows(host);
            UniqueWindow mirror = MirrorWithSystemControls(host);
            repaint[tab].mirrored = CountWindows(mirror.get());
            std::vector<double> skinned, system;
            for (int block = 0; block < kBlocks; ++block) {
                ShowWindow(mirror.get(), SW_HIDE);
                Pump();
                TimeRepaints(host, 2); // warm
                skinned.push_back(TimeRepaints(host, std::max(1, repaints / kBlocks)));
                ShowWindow(mirror.get(), SW_SHOWNA);
                Pump();
                TimeRepaints(mirror.get(), 2);
                system.push_back(TimeRepaints(mirror.get(), std::max(1, repaints / kBlocks)));
            }
            repaint[tab].skinned = Median(skinned);
            repaint[tab].system = Median(system);
        }
        Click(module, kTabs[0]);
        Click(module, IDC_BTN_SAVE); // the store as the module keeps it
        DirectStore direct;
        store.actions = direct.Actions();
        std::vector<double> saves, restores, storeSaves, storeLoads;
        for (int round = 0; round < rounds; ++round) {
            saves.push_back(Milliseconds([&] { Click(module, IDC_BTN_SAVE); }));
            storeSaves.push_back(Milliseconds([&] { direct.Save(); }));
            restores.push_back(Milliseconds([&] { Click(module, IDC_BTN_RESTORE); }));
            storeLoads.push_back(Milliseconds([&] { direct.Load(); }));
        }
        store.save = Median(saves);
        store.restore = Median(restores);
        store.storeSave = Median(storeSaves);
        store.storeLoad = Median(storeLoads);
        dialog.DestroyWindow();
        Pump();
    }
    app.FreeModules();
}

// A store with 1,000 keypress macros of 50 steps, written through the module's store code.
void SeedActions() {
    auto user = platform::OpenCurrentUserStore();
    if (!user)
        return;
    auto root = user->CreateKey(kStorePath);
    CCustomActionList actions;
    AddMissingBuiltInActions(actions);
    for (int i = 0; i < kActions; ++i) {
        CCustomAction action(L"ID_ACTION_" + std::to_wstring(100 + i));
        action.m_name = L"Macro " + std::to_wstring(i);
        action.SetKind(CCustomAction::kKeypressMacro);
        for (int k = 0; k < kSteps; ++k) {
            MacroStep step;
            step.type = MacroStep::kKeyboardInput;
            step.wVk = static_cast<std::uint16_t>(0x41 + k / 2 % 26);
            step.dwFlags = k % 2 ? MacroStep::kKeyUp : 0;
            step.time = 20;
            action.m_macro.m_steps.push_back(step);
        }
        actions.AppendAction(action);
    }
    actions.SaveAll(root.get());
    CProfileList profiles;
    CProfileVireo profile = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Games");
    profile.m_buttonAction[3] = L"ID_ACTION_100";
    profiles.Append(profile);
    SaveProfiles(root.get(), profiles, L"ID_PROFILE_1");
}

// Private bytes: the process's committed memory of its own (not images or mapped files),
// summed over its address space; and its working set.
struct Memory {
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
};

Memory MemoryOf(HANDLE process) {
    Memory memory;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* address = nullptr;
         VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            memory.privateBytes += region.RegionSize;
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process, &counters, sizeof(counters)))
        memory.workingSet = counters.WorkingSetSize;
    return memory;
}

double ProcessCpuSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0.0;
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

// The host hidden in the notification area after its start (its processor time over
// `idleSeconds` there, as a percentage of one core, in `idleCpu`), then with every page shown.
std::pair<Memory, Memory> HostMemory(double idleSeconds, double& idleCpu) {
    host_driver::RunningHost host;
    if (!host.WaitForWindows())
        return {};
    WaitForInputIdle(host.Process(), INFINITE);
    const Memory hidden = MemoryOf(host.Process());
    const double cpu = ProcessCpuSeconds(host.Process());
    const ULONGLONG start = GetTickCount64();
    Sleep(static_cast<DWORD>(idleSeconds * 1000));
    const double wall = static_cast<double>(GetTickCount64() - start) / 1000.0;
    idleCpu = 100.0 * (ProcessCpuSeconds(host.Process()) - cpu) / wall;
    if (!host.ShowFromTray())
        return {};
    for (int tab : {IDC_RADIO_PAGE2, IDC_RADIO_PAGE3, IDC_RADIO_PAGE1})
        host.ClickModule(tab);
    WaitForInputIdle(host.Process(), INFINITE);
    return {hidden, MemoryOf(host.Process())};
}

Memory TrivialWindowMemory() {
    std::wstring line = L"\"" + ProgramDir() + L"\\trivial_window.exe\"";
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        ProgramDir().c_str(), &startup, &process))
        return {};
    WaitForInputIdle(process.hProcess, INFINITE);
    const Memory memory = MemoryOf(process.hProcess);
    if (HWND window = FindWindowW(L"TrivialWindow", nullptr))
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return memory;
}

double Ratio(double value, double baseline) {
    return baseline > 0 ? value / baseline : 0.0;
}

double Megabytes(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int repaints = argc > 1 ? std::max(1, _wtoi(argv[1])) : 200;
    SetCurrentDirectoryW(ProgramDir().c_str());
    testing_support::CurrentUserKeyGuard storeGuard{kStorePath};

    // Other processes first: a host window of this process would make Gearhost.exe hand over.
    double idleCpu = 0.0;
    const auto [hidden, host] = HostMemory(10.0, idleCpu);
    const Memory trivial = TrivialWindowMemory();

    INITCOMMONCONTROLSEX common = {sizeof(common), 0xFF};
    InitCommonControlsEx(&common);
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    CGearhostApp::RegisterHostWindowClass(GetModuleHandleW(nullptr));
    Repaint repaint[3];
    Repaint unused[3];
    SaveRestore defaults;
    SaveRestore large;
    MeasureInHost(repaints, 9, repaint, defaults);
    SeedActions();
    MeasureInHost(0, 5, unused, large);
    Gdiplus::GdiplusShutdown(gdiplusToken);

    wprintf(L"host window with the module window, full repaint (%d rounds):\n", repaints);
    for (int tab = 0; tab < 3; ++tab)
        wprintf(
            L"  %-10ls tab: skinned %6.2f ms, system controls %6.2f ms (%.1fx), %d / %d windows\n",
            kTabNames[tab], repaint[tab].skinned, repaint[tab].system,
            Ratio(repaint[tab].skinned, repaint[tab].system), repaint[tab].windows,
            repaint[tab].mirrored);
    wprintf(L"Save and Restore clicked, median (baseline: the store code on the same records):\n");
    for (const SaveRestore* s : {&defaults, &large}) {
        wprintf(L"  %4zu actions: Save %8.1f ms  (store save %8.1f ms, %.2fx)\n", s->actions,
                s->save, s->storeSave, Ratio(s->save, s->storeSave));
        wprintf(L"                Restore %5.1f ms  (store load %8.1f ms, %.2fx)\n", s->restore,
                s->storeLoad, Ratio(s->restore, s->storeLoad));
    }
    wprintf(L"private bytes once waiting for input (working set in brackets):\n");
    wprintf(L"  Gearhost.exe, hidden after its start %5.1f MB (%.1f MB)\n",
            Megabytes(hidden.privateBytes), Megabytes(hidden.workingSet));
    wprintf(L"  Gearhost.exe, every page shown once %6.1f MB (%.1f MB)\n",
            Megabytes(host.privateBytes), Megabytes(host.workingSet));
    wprintf(
        L"  trivial window program              %6.1f MB (%.1f MB)  (%.1fx)\n",
        Megabytes(trivial.privateBytes), Megabytes(trivial.workingSet),
        Ratio(static_cast<double>(host.privateBytes), static_cast<double>(trivial.privateBytes)));
    wprintf(L"Gearhost.exe hidden after its start, 10 s: %.3f %% of one core\n", idleCpu);
    // For scripts/bench.sh.
    const char* const keys[] = {"buttons", "settings", "statistics"};
    for (int tab = 0; tab < 3; ++tab)
        wprintf(L"RESULT repaint_%hs %.4f ms\nRESULT repaint_%hs_system %.4f ms\n", keys[tab],
                repaint[tab].skinned, keys[tab], repaint[tab].system);
    wprintf(L"RESULT private_bytes_host %.4f MB\nRESULT private_bytes_hidden %.4f MB\n",
            Megabytes(host.privateBytes), Megabytes(hidden.privateBytes));
    wprintf(L"RESULT private_bytes_trivial %.4f MB\n", Megabytes(trivial.privateBytes));
    wprintf(L"RESULT idle_cpu_hidden %.4f %%\n", idleCpu);
    for (const SaveRestore* s : {&defaults, &large})
        wprintf(L"RESULT click_save_%zu %.4f ms\nRESULT store_save_%zu %.4f ms\n", s->actions,
                s->save, s->actions, s->storeSave);
    return 0;
}
