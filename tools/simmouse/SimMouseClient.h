#pragma once
// User-mode access to the simulated mouse: its service (install, start, stop, remove) and
// its control codes. Used by the control tool, the end-to-end tests and the benchmark.
#include "tools/simmouse/SimMouseProtocol.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace simmouse {

// --- the driver service ---
// The driver file beside the running program ("kestrelsim.sys").
std::wstring DefaultDriverPath();
// Creates the kernel-driver service (demand start) or points an existing one at `sysPath`.
bool InstallDriver(const std::wstring& sysPath, std::wstring* error);
// Starts the service and waits (retrying the start) until it runs, at most `timeoutMs`.
bool StartDriver(DWORD timeoutMs, std::wstring* error);
bool StopDriver(DWORD timeoutMs, std::wstring* error);
bool RemoveDriver(std::wstring* error);
// SERVICE_RUNNING etc.; 0 when the service does not exist.
DWORD DriverState();

// --- the device ---
class Device {
public:
    Device() = default;
    ~Device() { Close(); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    bool Open();
    void Close();
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

    bool Inject(const std::vector<std::uint8_t>& buttonBytes);
    bool Inject(std::uint8_t buttons) { return Inject(std::vector<std::uint8_t>{buttons}); }
    bool SetState(const std::uint8_t state[7]);
    bool GetStatus(SimMouseStatus* status);
    bool GetLog(std::vector<SimMouseLogEntry>* entries, unsigned* total = nullptr);
    bool Reset();
    bool AlterEchoes(std::uint8_t count);
    bool SetBlockLimit(std::uint8_t records);

    HANDLE Handle() const { return m_handle; }

private:
    bool Control(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                 DWORD* bytes = nullptr);
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// --- host notifications ---
// The HID interface path of the simulated mouse.
std::wstring InterfacePath();
// Sends WM_DEVICECHANGE (DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE) with the HID
// interface of the simulated mouse to `window`; false when the window does not exist.
bool AnnounceInterface(HWND window, bool arrival);
// The running host's window (found by its class), or null.
HWND FindHostWindow();

// "AB 83 83 ..." for log output.
std::wstring HexBytes(const std::uint8_t* data, std::size_t length);

} // namespace simmouse
