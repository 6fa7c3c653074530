// kestrel-sim: drives the simulated Kestrel mouse from a shell (a Windows console program;
// under Wine: `wine kestrel-sim.exe COMMAND`). See `kestrel-sim help`.
#include "tools/simmouse/SimMouseClient.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t kUsage[] =
    L"usage: kestrel-sim COMMAND [ARGS]\n"
    L"  install [PATH.sys]   create (or repoint) the kernel-driver service and start it;\n"
    L"                       default PATH: kestrelsim.sys beside this program\n"
    L"  start | stop         start (waiting until RUNNING) or stop the driver\n"
    L"  uninstall            stop and delete the service\n"
    L"  query                print the service state (RUNNING, STOPPED, ABSENT, ...)\n"
    L"  click BUTTON         press and release a button\n"
    L"  press BUTTON         hold a button down (one report with it added)\n"
    L"  release BUTTON       let it go (one report with it removed)\n"
    L"  report HEX           inject one raw report with this button byte\n"
    L"                       BUTTON: left right middle back forward, or 1..5 (bit n-1)\n"
    L"  state B0 B1 B2 B3 B4 B5 B6   the mouse's own state (hex bytes); queues a 0xAC report\n"
    L"  cpi N | rate N       as the mouse's CPI / rate button: index N (0..3); queues 0xAC\n"
    L"  alter-echoes N       the next N write-settings echoes differ in byte 6\n"
    L"  status               state, pass mask, queue and counters\n"
    L"  log                  what the module sent: report payloads and mask packets\n"
    L"  reset                empty queue and log, default state and mask\n"
    L"  arrive [HWND] | remove [HWND]   send the host window (found by its class unless a\n"
    L"                       hexadecimal HWND is given) the mouse's HID interface\n"
    L"                       arrival / removal (WM_DEVICECHANGE)\n";

int Fail(const std::wstring& text) {
    fwprintf(stderr, L"kestrel-sim: %ls\n", text.c_str());
    return 1;
}

int Usage() {
    fwprintf(stderr, L"%ls", kUsage);
    return 2;
}

bool ParseButton(const std::wstring& name, std::uint8_t* bit) {
    static const struct {
        const wchar_t* name;
        std::uint8_t bit;
    } names[] = {{L"left", 0x01},    {L"right", 0x02}, {L"middle", 0x04}, {L"back", 0x08},
                 {L"forward", 0x10}, {L"1", 0x01},     {L"2", 0x02},      {L"3", 0x04},
                 {L"4", 0x08},       {L"5", 0x10}};
    for (const auto& entry : names)
        if (name == entry.name) {
            *bit = entry.bit;
            return true;
        }
    return false;
}

bool ParseHexByte(const std::wstring& text, std::uint8_t* value) {
    wchar_t* end = nullptr;
    const unsigned long parsed = wcstoul(text.c_str(), &end, 16);
    if (text.empty() || *end || parsed > 0xFF)
        return false;
    *value = static_cast<std::uint8_t>(parsed);
    return true;
}

const wchar_t* StateName(DWORD state) {
    switch (state) {
    case 0:
        return L"ABSENT";
    case SERVICE_STOPPED:
        return L"STOPPED";
    case SERVICE_START_PENDING:
        return L"START_PENDING";
    case SERVICE_STOP_PENDING:
        return L"STOP_PENDING";
    case SERVICE_RUNNING:
        return L"RUNNING";
    default:
        return L"OTHER";
    }
}

int OpenDevice(simmouse::Device& device) {
    if (!device.Open())
        return Fail(L"cannot open " SIMMOUSE_USER_PATH L" (is the driver running?)");
    return 0;
}

int Run(const std::vector<std::wstring>& args) {
    if (args.empty() || args[0] == L"help" || args[0] == L"--help")
        return Usage();
    const std::wstring& command = args[0];
    std::wstring error;

    if (command == L"install") {
        const std::wstring path = args.size() > 1 ? args[1] : simmouse::DefaultDriverPath();
        if (!simmouse::InstallDriver(path, &error) || !simmouse::StartDriver(30000, &error))
            return Fail(error);
        wprintf(L"installed and running: %ls\n", path.c_str());
        return 0;
    }
    if (command == L"start") {
        if (!simmouse::StartDriver(30000, &error))
            return Fail(error);
        wprintf(L"RUNNING\n");
        return 0;
    }
    if (command == L"stop") {
        if (!simmouse::StopDriver(10000, &error))
            return Fail(error);
        wprintf(L"STOPPED\n");
        return 0;
    }
    if (command == L"uninstall") {
        if (simmouse::DriverState() == 0)
            return 0;
        simmouse::StopDriver(10000, nullptr);
        if (!simmouse::RemoveDriver(&error))
            return Fail(error);
        return 0;
    }
    if (command == L"query") {
        wprintf(L"%ls\n", StateName(simmouse::DriverState()));
        return 0;
    }
    if (command == L"arrive" || command == L"remove") {
        HWND window = nullptr;
        if (args.size() > 1)
            window = reinterpret_cast<HWND>(
                static_cast<std::uintptr_t>(wcstoull(args[1].c_str(), nullptr, 16)));
        else
            window = simmouse::FindHostWindow();
        if (!simmouse::AnnounceInterface(window, command == L"arrive"))
            return Fail(L"no host window");
        wprintf(L"%ls sent: %ls\n", command.c_str(), simmouse::InterfacePath().c_str());
        return 0;
    }

    simmouse::Device device;
    if (int rc = OpenDevice(device))
        return rc;
    if (command == L"click" || command == L"press" || command == L"release") {
        std::uint8_t bit = 0;
        if (args.size() < 2 || !ParseButton(args[1], &bit))
            return Usage();
        SimMouseStatus status = {};
        if (!device.GetStatus(&status))
            return Fail(L"status request failed");
        std::vector<std::uint8_t> reports;
        if (command == L"click")
            reports = {static_cast<std::uint8_t>(status.buttons | bit),
                       static_cast<std::uint8_t>(status.buttons & ~bit)};
        else if (command == L"press")
            reports = {static_cast<std::uint8_t>(status.buttons | bit)};
        else
            reports = {static_cast<std::uint8_t>(status.buttons & ~bit)};
        if (!device.Inject(reports))
            return Fail(L"inject failed");
        wprintf(L"reports: %ls\n", simmouse::HexBytes(reports.data(), reports.size()).c_str());
        return 0;
    }
    if (command == L"report") {
        std::uint8_t buttons = 0;
        if (args.size() < 2 || !ParseHexByte(args[1], &buttons))
            return Usage();
        return device.Inject(buttons) ? 0 : Fail(L"inject failed");
    }
    if (command == L"state" || command == L"cpi" || command == L"rate") {
        SimMouseStatus status = {};
        if (!device.GetStatus(&status))
            return Fail(L"status request failed");
        std::uint8_t state[7];
        std::memcpy(state, status.state, 7);
        if (command == L"state") {
            if (args.size() != 8)
                return Usage();
            for (int i = 0; i < 7; ++i)
                if (!ParseHexByte(args[static_cast<std::size_t>(i) + 1], &state[i]))
                    return Usage();
        } else {
            if (args.size() != 2)
                return Usage();
            const int index = _wtoi(args[1].c_str());
            if (index < 0 || index > 3)
                return Usage();
            state[command == L"cpi" ? 5 : 6] = static_cast<std::uint8_t>(1u << index);
        }
        if (!device.SetState(state))
            return Fail(L"set-state failed");
        wprintf(L"state: %ls\n", simmouse::HexBytes(state, 7).c_str());
        return 0;
    }
    if (command == L"alter-echoes") {
        if (args.size() != 2)
            return Usage();
        return device.AlterEchoes(static_cast<std::uint8_t>(_wtoi(args[1].c_str())))
                   ? 0
                   : Fail(L"request failed");
    }
    if (command == L"status") {
        SimMouseStatus s = {};
        if (!device.GetStatus(&s))
            return Fail(L"status request failed");
        wprintf(L"state: %ls\npass mask: %02X\nbuttons: %02X\nqueued: %u\npending polls: %u\n"
                L"reports received: %u\nmasks received: %u\nrecords delivered: %u\n"
                L"records dropped: %u\n",
                simmouse::HexBytes(s.state, 7).c_str(), s.passMask, s.buttons, s.queued,
                s.pendingPolls, s.reportsReceived, s.masksReceived, s.recordsDelivered,
                s.recordsDropped);
        return 0;
    }
    if (command == L"log") {
        std::vector<SimMouseLogEntry> entries;
        unsigned total = 0;
        if (!device.GetLog(&entries, &total))
            return Fail(L"log request failed");
        for (const SimMouseLogEntry& e : entries)
            wprintf(L"%ls %ls\n", e.type == SIMMOUSE_LOG_REPORT ? L"report" : L"mask",
                    simmouse::HexBytes(e.data, e.length).c_str());
        return 0;
    }
    if (command == L"reset")
        return device.Reset() ? 0 : Fail(L"reset failed");
    return Usage();
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < argc; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    const int rc = Run(args);
    fflush(stdout);
    return rc;
}
