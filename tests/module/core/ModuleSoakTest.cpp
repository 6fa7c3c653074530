// The real host and module held under load for minutes: the simulated mouse sends 1,000
// reports a second with button changes while the test drives the windows. Nothing may crash,
// no Save may be lost, nothing may be left over and memory must stay flat. The duration comes
// from --soak-seconds=N on the command line or GEARHOST_SOAK_SECONDS (180 when neither).
#include "host/CTrayIcon.h"
#include "host/resource.h"
#include "module/core/resource.h"
#include "module/device/CDriverVireo.h"
#include "module/pages/InfoPagesResource.h"
#include "module/pages/resource.h"
#include "tests/module/core/ModuleEndToEnd.h"
#include "tests/platform/KeyboardHookRecorder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t kMacroKey = VK_F24; // no control of the host reacts to it
constexpr DWORD kSampleMs = 10000;
constexpr double kGrowthFloor = 256 * 1024;

DWORD SoakSeconds() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    DWORD seconds = 0;
    const std::wstring flag = L"--soak-seconds=";
    for (int i = 1; argv && i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg.compare(0, flag.size(), flag) == 0)
            seconds = static_cast<DWORD>(std::wcstoul(arg.c_str() + flag.size(), nullptr, 10));
    }
    LocalFree(argv);
    if (seconds == 0) {
        wchar_t value[32] = {};
        if (GetEnvironmentVariableW(L"GEARHOST_SOAK_SECONDS", value, 32) > 0)
            seconds = static_cast<DWORD>(std::wcstoul(value, nullptr, 10));
    }
    return seconds ? seconds : 180;
}

// Sends 1,000 button reports a second from a thread of its own, the buttons changing on
// nearly every report; a click of button 4 goes in when asked for.
class ReportPacer {
public:
    explicit ReportPacer(simmouse::Device& mouse) : m_mouse(mouse) {
        m_thread = std::thread([this] { Run(); });
    }
    ~ReportPacer() { Stop(); }
    void Stop() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    // The number of clicks asked for so far.
    int Click() { return ++m_clicksAsked; }
    unsigned long long Sent() const { return m_sent; }
    int Clicks() const { return m_clicksSent; }
    bool Failed() const { return m_failed; }

private:
    void Run() {
        // Left, right, middle and button 5 in turn, some together; button 4 only on request.
        static const std::uint8_t pattern[] = {0x01, 0x00, 0x02, 0x03, 0x00, 0x04,
                                               0x00, 0x10, 0x14, 0x00, 0x05, 0x00};
        const auto start = std::chrono::steady_clock::now();
        std::size_t next = 0;
        std::vector<std::uint8_t> batch;
        while (!m_stop) {
            Sleep(5);
            const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start);
            const auto due = static_cast<unsigned long long>(elapsed.count());
            if (due <= m_sent)
                continue;
            batch.clear();
            const auto count = std::min<unsigned long long>(due - m_sent, SIMMOUSE_MAX_INJECT);
            for (unsigned long long i = 0; i < count; ++i)
                batch.push_back(pattern[next++ % sizeof(pattern)]);
            if (m_clicksSent < m_clicksAsked && batch.size() >= 2) {
                // One report with button 4 down, the next with it up.
                batch[0] |= 0x08;
                batch[1] &= static_cast<std::uint8_t>(~0x08);
                ++m_clicksSent;
            }
            if (!m_mouse.Inject(batch))
                m_failed = true;
            m_sent += batch.size();
        }
        m_mouse.Inject(0);
    }

    simmouse::Device& m_mouse;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_clicksAsked{0};
    std::atomic<int> m_clicksSent{0};
    std::atomic<unsigned long long> m_sent{0};
    std::thread m_thread;
};

struct ProcessCounts {
    DWORD handles = 0;
    DWORD threads = 0;
    DWORD gdi = 0;
    DWORD user = 0;
    DWORD windows = 0; // USER objects the process owns that every system can count
};

// The process's entries in the system's handle list, for systems whose GetProcessHandleCount
// answers 0 for every process.
DWORD HandlesFromHandleList(DWORD processId) {
    struct Entry {
        ULONG ownerPid;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct List {
        ULONG count;
        Entry entries[1];
    };
    constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    constexpr NTSTATUS kTooSmall = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<BYTE> buffer(1 << 20);
    ULONG length = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &length)) ==
               kTooSmall &&
           buffer.size() < (256u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    DWORD count = 0;
    for (ULONG i = 0; i < list->count; ++i)
        count += list->entries[i].ownerPid == processId;
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM data) {
    ++*reinterpret_cast<DWORD*>(data);
    return TRUE;
}

// Top-level windows of the process with all their descendants.
BOOL CALLBACK CountWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<std::pair<DWORD, DWORD>*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->first) {
        ++search->second;
        EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&search->second));
    }
    return TRUE;
}

ProcessCounts ReadCounts(HANDLE process, DWORD processId) {
    ProcessCounts counts;
    if (!GetProcessHandleCount(process, &counts.handles) || counts.handles == 0)
        counts.handles = HandlesFromHandleList(processId);
    counts.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    counts.user = GetGuiResources(process, GR_USEROBJECTS);
    std::pair<DWORD, DWORD> windows = {processId, 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
    counts.windows = windows.second;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        THREADENTRY32 entry = {sizeof(entry)};
        for (BOOL more = Thread32First(snapshot, &entry); more;
             more = Thread32Next(snapshot, &entry))
            counts.threads += entry.th32OwnerProcessID == processId;
        CloseHandle(snapshot);
    }
    return counts;
}

// The process's private bytes. PagefileUsage is the same commit charge, and the one filled
// where PrivateUsage stays 0.
SIZE_T PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                              sizeof(memory)))
        return 0;
    return memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
}

// Every value under a key, its subkeys' too, by path and name: type and bytes.
using StoreImage = std::map<std::wstring, std::vector<BYTE>>;

void ReadKeyTree(HKEY parent, const std::wstring& path, StoreImage& image) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::vector<BYTE> data(1 << 16);
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG read =
            RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
        if (read == ERROR_MORE_DATA) {
            data.resize(size);
            --i;
            continue;
        }
        if (read != ERROR_SUCCESS)
            break;
        std::vector<BYTE> value(data.begin(), data.begin() + size);
        value.push_back(static_cast<BYTE>(type));
        image[path + L"|" + name] = value;
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys)
        ReadKeyTree(parent, path + L"\\" + subkey, image);
}

StoreImage ReadStoreImage() {
    StoreImage image;
    ReadKeyTree(HKEY_CURRENT_USER, kStorePath, image);
    return image;
}

// Least-squares line through (t, y): its slope, and the slope's standard error from the
// residuals' spread.
struct Fit {
    double slope = 0;
    double slopeError = 0;
};

Fit FitLine(const std::vector<double>& t, const std::vector<double>& y) {
    Fit fit;
    const double n = static_cast<double>(t.size());
    if (t.size() < 3)
        return fit;
    double meanT = 0, meanY = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        meanT += t[i] / n;
        meanY += y[i] / n;
    }
    double sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        sxx += (t[i] - meanT) * (t[i] - meanT);
        sxy += (t[i] - meanT) * (y[i] - meanY);
    }
    fit.slope = sxy / sxx;
    double residuals = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double r = y[i] - meanY - fit.slope * (t[i] - meanT);
        residuals += r * r;
    }
    fit.slopeError = std::sqrt(residuals / (n - 2) / sxx);
    return fit;
}

// The language files beside the programs, put back as they were: the soak switches languages
// in the host, which writes the choice into them, and later tests expect the shipped ones.
class LanguageFilesGuard {
public:
    LanguageFilesGuard() {
        for (const wchar_t* name : {L"l_gearhost.ini", L"l_vireo.ini"}) {
            const std::wstring path = testing_support::ProgramDir() + L"\\Language\\" + name;
            m_files.emplace_back(path, Read(path));
        }
    }
    ~LanguageFilesGuard() {
        for (const auto& file : m_files) {
            HANDLE out = CreateFileW(file.first.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
            if (out == INVALID_HANDLE_VALUE)
                continue;
            DWORD written = 0;
            WriteFile(out, file.second.data(), static_cast<DWORD>(file.second.size()), &written,
                      nullptr);
            CloseHandle(out);
        }
    }
    LanguageFilesGuard(const LanguageFilesGuard&) = delete;
    LanguageFilesGuard& operator=(const LanguageFilesGuard&) = delete;

private:
    static std::string Read(const std::wstring& path) {
        std::string bytes;
        HANDLE in = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
        if (in == INVALID_HANDLE_VALUE)
            return bytes;
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(in, buffer, sizeof buffer, &read, nullptr) && read > 0)
            bytes.append(buffer, read);
        CloseHandle(in);
        return bytes;
    }
    std::vector<std::pair<std::wstring, std::string>> m_files;
};

class ModuleSoak : public ModuleEndToEnd {
protected:
    LanguageFilesGuard m_languageFiles;
    static constexpr int kProfiles = 3;
    static constexpr int kOperations = 10;
    const wchar_t* m_macroId = L"ID_ACTION_9";

    // Three profiles, button 4 typing the macro key in each.
    void PrepareStore() {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        auto root = user->CreateKey(kStorePath);
        StoreOneKeyMacro(*root, m_macroId, L"Key", static_cast<std::uint16_t>(kMacroKey));
        CProfileList profiles;
        for (int i = 0; i < kProfiles; ++i) {
            CProfileVireo profile = CProfileVireo::MakeStandard(
                L"ID_PROFILE_" + std::to_wstring(i + 1), L"Soak " + std::to_wstring(i + 1));
            profile.m_buttonAction[3] = m_macroId;
            profile.m_cpi1 = static_cast<std::uint32_t>(i);
            profiles.Append(profile);
        }
        SaveProfiles(root.get(), profiles, L"ID_PROFILE_1");
    }

    HWND HostCombo(int id) const {
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
                if (GetDlgCtrlID(child) == s->id && _wcsicmp(name, L"ComboBox") == 0) {
                    s->found = child;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    void SelectInHost(HWND control, int id, int item, UINT setMessage, WORD notification) {
        SendMessageW(control, setMessage, static_cast<WPARAM>(item), 0);
        SendMessageW(m_host, WM_COMMAND, MAKEWPARAM(id, notification),
                     reinterpret_cast<LPARAM>(control));
    }
    void ShowHost() { SendMessageW(m_host, WM_TRAYNOTIFY, CTrayIcon::kIconId, WM_LBUTTONDBLCLK); }
    void HideHost() {
        SendMessageW(m_host, WM_COMMAND, MAKEWPARAM(IDC_BTN_HIDE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m_host, IDC_BTN_HIDE)));
    }
    // The same windows before each count: the host shown on every page, then hidden.
    void ShowEveryWindow() {
        ShowHost();
        for (int page : {IDC_RADIO_PAGE1, IDC_RADIO_PAGE2, IDC_RADIO_PAGE3, IDC_RADIO_PAGE1})
            ClickModule(page);
        HideHost();
    }
    // Waits until the mouse's queue is read empty and the reader waits on the mouse again:
    // its waiting request holds a handle of its own, so counts are read in that state.
    bool Quiet() {
        return WaitUntil([&] {
            const SimMouseStatus status = Status();
            return status.queued == 0 && status.pendingPolls > 0;
        });
    }

    // What the run drives and what it found.
    HWND m_profileList = nullptr;
    HWND m_languages = nullptr;
    int m_languageCount = 0;
    int m_cpiShown = 1;
    bool m_shown = false;
    int m_saves = 0;
    int m_operations = 0;
    int m_missedMacros = 0;
    DWORD m_slowestMacroMs = 0;
    StoreImage m_lastSaved;

    void Save() {
        ClickModule(IDC_BTN_SAVE);
        m_lastSaved = ReadStoreImage();
        ++m_saves;
    }

    // Operation `step` of the round, each kind in turn.
    void Operate(int step) {
        const int round = step / kOperations;
        switch (step % kOperations) {
        case 0: // profile switch in the host
            SelectInHost(m_profileList, IDC_LIST_PROFILE, round % kProfiles, LB_SETCURSEL,
                         LBN_SELCHANGE);
            m_cpiShown = CpiSlider();
            break;
        case 1: // button page: button 5 on or off
            ClickModule(IDC_RADIO_PAGE1);
            Click(PageItem(IDC_CHECK_BUTTON5));
            break;
        case 2: // settings page: another CPI level
            ClickModule(IDC_RADIO_PAGE2);
            m_cpiShown = (m_cpiShown + 1) % 4;
            SendMessageW(PageItem(IDC_SLIDER_CPI), TBM_SETPOS, TRUE, m_cpiShown);
            break;
        case 3: // statistics page: counting on or off
            ClickModule(IDC_RADIO_PAGE3);
            Click(PageItem(IDC_BTN_START_STOP));
            break;
        case 4: { // Save, and the level it took into the store
            Save();
            const Stored stored = ReadStore();
            const CProfileVireo* current = stored.profiles.FindProfile(stored.currentId);
            ASSERT_NE(current, nullptr) << "Save " << m_saves;
            EXPECT_EQ(static_cast<int>(current->m_cpi1), m_cpiShown) << "Save " << m_saves;
            break;
        }
        case 5: // an unsaved move, dropped by Restore
            ClickModule(IDC_RADIO_PAGE2);
            SendMessageW(PageItem(IDC_SLIDER_CPI), TBM_SETPOS, TRUE, (m_cpiShown + 2) % 4);
            ClickModule(IDC_BTN_RESTORE);
            EXPECT_EQ(CpiSlider(), m_cpiShown) << "Restore after Save " << m_saves;
            break;
        case 6: // language switch in the host
            SelectInHost(m_languages, IDC_COMBO_LANGUAGE, round % m_languageCount, CB_SETCURSEL,
                         CBN_SELCHANGE);
            break;
        case 7: // tab switches
            for (int page : {IDC_RADIO_PAGE3, IDC_RADIO_PAGE1, IDC_RADIO_PAGE2})
                ClickModule(page);
            break;
        case 8: // window shown or hidden
            m_shown ? HideHost() : ShowHost();
            m_shown = !m_shown;
            break;
        case 9: // Save again, so the run ends on a saved state more often
            Save();
            break;
        }
        ++m_operations;
    }

    // One macro at a time: the next click only once this one's keys arrived.
    void ClickButton4(ReportPacer& pacer, const KeyboardHookRecorder& keys, int step) {
        const auto asked = std::chrono::steady_clock::now();
        const std::size_t seen = keys.Keys({kMacroKey}).size();
        const int click = pacer.Click();
        if (!WaitUntil([&] { return pacer.Clicks() >= click; }) ||
            !keys.WaitForKeys({kMacroKey}, seen + 2, std::chrono::seconds(10))) {
            ++m_missedMacros;
            std::printf("click after operation %d (step %d): no macro within 10 s\n",
                        step % kOperations, step);
        }
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - asked);
        m_slowestMacroMs = std::max(m_slowestMacroMs, static_cast<DWORD>(took.count()));
    }
};

TEST_F(ModuleSoak, HoldsUnderReportsAndWindowWorkWithNothingLostOrLeftOver) {
    const DWORD seconds = SoakSeconds();
    ASSERT_GE(seconds, 60u) << "the memory slope needs samples over at least a minute";
    ASSERT_NO_FATAL_FAILURE(PrepareStore());
    HostProcess host;
    ASSERT_NO_FATAL_FAILURE(StartHost(host));
    // The mouse's state fits the first profile (button 4 a keypress macro); its arrival then
    // selects the device, so the host's profile list drives the module.
    ASSERT_NO_FATAL_FAILURE(MouseReports({0, 0, 0, device::kModeKeypressMacro, 0, 0x01, 0x08}));
    ASSERT_TRUE(simmouse::AnnounceInterface(m_host, true));
    ASSERT_TRUE(WaitUntil([&] { return Reports(device::kCommandWriteSettings) == 2; }));
    m_profileList = HostList(IDC_LIST_PROFILE);
    m_languages = HostCombo(IDC_COMBO_LANGUAGE);
    ASSERT_EQ(HostProfileCount(), kProfiles);
    ASSERT_NE(m_languages, nullptr);
    m_languageCount = static_cast<int>(SendMessageW(m_languages, CB_GETCOUNT, 0, 0));
    ASSERT_GT(m_languageCount, 1);
    KeyboardHookRecorder keys;
    ASSERT_TRUE(keys.Installed());

    // A warm-up under load: what the first of each operation, or the first contention on a
    // lock, creates for good is there before the start is counted. Start and end are counted
    // alike: the reports stopped and read, the same windows shown.
    int step = 0;
    unsigned long long sent = 0;
    int clicks = 0;
    {
        ReportPacer warmUp(m_mouse);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSampleMs);
        for (; step < kOperations || std::chrono::steady_clock::now() < until; ++step) {
            ASSERT_NO_FATAL_FAILURE(Operate(step));
            ClickButton4(warmUp, keys, step);
        }
        warmUp.Stop();
        sent += warmUp.Sent();
        clicks += warmUp.Clicks();
        EXPECT_FALSE(warmUp.Failed()) << "an injection failed";
    }
    ShowEveryWindow();
    m_shown = false;
    ASSERT_TRUE(Quiet());
    const ProcessCounts before = ReadCounts(host.Handle(), host.Id());

    ReportPacer pacer(m_mouse);
    const auto start = std::chrono::steady_clock::now();
    auto elapsedMs = [&] {
        return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now() - start)
                                      .count());
    };
    std::vector<double> sampleTimes, samples;
    std::vector<DWORD> handleSamples;
    for (; elapsedMs() < seconds * 1000; ++step) {
        if (elapsedMs() >= sampleTimes.size() * kSampleMs) {
            sampleTimes.push_back(elapsedMs() / 1000.0);
            samples.push_back(static_cast<double>(PrivateBytes(host.Handle())));
            handleSamples.push_back(ReadCounts(host.Handle(), host.Id()).handles);
        }
        ASSERT_EQ(host.ExitCode(), STILL_ACTIVE) << "the host ended during the run";
        ASSERT_NO_FATAL_FAILURE(Operate(step));
        ClickButton4(pacer, keys, step);
    }
    pacer.Stop();
    sent += pacer.Sent();
    clicks += pacer.Clicks();
    Save(); // the run ends on a Save whatever came last
    ASSERT_TRUE(Quiet());
    const SimMouseStatus status = Status();
    const std::size_t keysSeen = keys.Keys({kMacroKey}).size();

    HideHost();
    ShowEveryWindow();
    ASSERT_TRUE(Quiet());
    const ProcessCounts after = ReadCounts(host.Handle(), host.Id());
    ASSERT_EQ(host.ExitCode(), STILL_ACTIVE) << "the host ended during the run";
    const bool closed = host.Close(30000);
    const StoreImage final = ReadStoreImage();

    // The second half's samples: their least-squares slope against its standard error (the
    // residuals' spread about the line). Private bytes move in heap granules, so a rise below
    // kGrowthFloor over the half counts as flat even when the samples are otherwise constant.
    const std::size_t half = samples.size() / 2;
    const std::vector<double> t(sampleTimes.begin() + static_cast<std::ptrdiff_t>(half),
                                sampleTimes.end());
    const std::vector<double> y(samples.begin() + static_cast<std::ptrdiff_t>(half), samples.end());
    const Fit fit = FitLine(t, y);
    const double halfSeconds = t.empty() ? 0 : t.back() - t.front();
    const double growth = std::fabs(fit.slope) * halfSeconds;

    std::printf("soak: %lu s after a %lu s warm-up, %llu reports sent (%u delivered, %u "
                "dropped), %d operations, %d Saves\n",
                static_cast<unsigned long>(seconds), kSampleMs / 1000, sent,
                status.recordsDelivered, status.recordsDropped, m_operations, m_saves);
    std::printf("macros: %d clicks of button 4, %zu key events seen (%zu macros run), %d "
                "missed, slowest %lu ms from click to keys\n",
                clicks, keysSeen, keysSeen / 2, m_missedMacros,
                static_cast<unsigned long>(m_slowestMacroMs));
    std::printf("counts start/end: handles %lu/%lu, threads %lu/%lu, GDI %lu/%lu, USER "
                "%lu/%lu, windows %lu/%lu\n",
                before.handles, after.handles, before.threads, after.threads, before.gdi, after.gdi,
                before.user, after.user, before.windows, after.windows);
    std::printf("handles every %lu s:", kSampleMs / 1000);
    for (DWORD sample : handleSamples)
        std::printf(" %lu", sample);
    std::printf("\nprivate bytes every %lu s:", kSampleMs / 1000);
    for (double sample : samples)
        std::printf(" %.0f", sample);
    std::printf("\nsecond half (%zu samples): slope %.1f bytes/s, standard error %.1f bytes/s, "
                "rise over the half %.0f bytes\n",
                y.size(), fit.slope, fit.slopeError, growth);

    EXPECT_TRUE(closed) << "the host did not end on a close request";
    EXPECT_EQ(host.ExitCode(), 0u);
    EXPECT_FALSE(pacer.Failed()) << "an injection failed";
    EXPECT_EQ(status.recordsDropped, 0u);
    EXPECT_EQ(keysSeen, 2 * static_cast<std::size_t>(clicks))
        << "every click of button 4 ran its macro";
    EXPECT_EQ(m_missedMacros, 0);
    EXPECT_TRUE(final == m_lastSaved) << "the store holds what the last Save wrote";
    EXPECT_EQ(after.handles, before.handles);
    EXPECT_EQ(after.threads, before.threads);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(after.windows, before.windows);
    ASSERT_GE(y.size(), 3u);
    EXPECT_TRUE(std::fabs(fit.slope) <= 3 * fit.slopeError || growth < kGrowthFloor)
        << "private bytes grow over the second half";
}

} // namespace
