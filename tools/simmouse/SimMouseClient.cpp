#include "tools/simmouse/SimMouseClient.h"

#include "host/resource.h"

#include <dbt.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace simmouse {
namespace {

std::wstring ErrorText(const wchar_t* what, DWORD code) {
    wchar_t text[160];
    swprintf(text, 160, L"%ls failed (error %lu)", what, code);
    return text;
}

void SetError(std::wstring* error, const wchar_t* what, DWORD code = GetLastError()) {
    if (error)
        *error = ErrorText(what, code);
}

struct ScHandle {
    SC_HANDLE h = nullptr;
    ~ScHandle() {
        if (h)
            CloseServiceHandle(h);
    }
};

bool OpenManager(ScHandle& manager, std::wstring* error) {
    manager.h = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager.h)
        SetError(error, L"OpenSCManager");
    return manager.h != nullptr;
}

bool OpenSimService(ScHandle& manager, ScHandle& service, std::wstring* error) {
    if (!OpenManager(manager, error))
        return false;
    service.h = OpenServiceW(manager.h, SIMMOUSE_SERVICE_NAME, SERVICE_ALL_ACCESS);
    if (!service.h)
        SetError(error, L"OpenService");
    return service.h != nullptr;
}

DWORD QueryState(SC_HANDLE service) {
    SERVICE_STATUS status = {};
    if (!QueryServiceStatus(service, &status))
        return 0;
    return status.dwCurrentState;
}

} // namespace

std::wstring DefaultDriverPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result = path;
    const std::size_t slash = result.find_last_of(L"\\/");
    result = (slash == std::wstring::npos ? L"" : result.substr(0, slash + 1));
    return result + L"kestrelsim.sys";
}

bool InstallDriver(const std::wstring& sysPath, std::wstring* error) {
    ScHandle manager;
    if (!OpenManager(manager, error))
        return false;
    ScHandle service;
    service.h =
        CreateServiceW(manager.h, SIMMOUSE_SERVICE_NAME, SIMMOUSE_SERVICE_NAME, SERVICE_ALL_ACCESS,
                       SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                       sysPath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (service.h)
        return true;
    if (GetLastError() != ERROR_SERVICE_EXISTS) {
        SetError(error, L"CreateService");
        return false;
    }
    service.h = OpenServiceW(manager.h, SIMMOUSE_SERVICE_NAME, SERVICE_ALL_ACCESS);
    if (!service.h) {
        SetError(error, L"OpenService");
        return false;
    }
    if (!ChangeServiceConfigW(service.h, SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START,
                              SERVICE_ERROR_IGNORE, sysPath.c_str(), nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr)) {
        SetError(error, L"ChangeServiceConfig");
        return false;
    }
    return true;
}

bool StartDriver(DWORD timeoutMs, std::wstring* error) {
    ScHandle manager, service;
    if (!OpenSimService(manager, service, error))
        return false;
    const DWORD start = GetTickCount();
    DWORD lastError = 0;
    for (;;) {
        const DWORD state = QueryState(service.h);
        if (state == SERVICE_RUNNING)
            return true;
        if (state == SERVICE_STOPPED) {
            if (!::StartServiceW(service.h, 0, nullptr)) {
                lastError = GetLastError();
                if (lastError == ERROR_SERVICE_ALREADY_RUNNING)
                    lastError = 0;
            }
        }
        if (GetTickCount() - start > timeoutMs) {
            SetError(error, L"StartService", lastError ? lastError : ERROR_TIMEOUT);
            return false;
        }
        Sleep(200);
    }
}

bool StopDriver(DWORD timeoutMs, std::wstring* error) {
    ScHandle manager, service;
    if (!OpenSimService(manager, service, error))
        return false;
    SERVICE_STATUS status = {};
    ControlService(service.h, SERVICE_CONTROL_STOP, &status);
    const DWORD start = GetTickCount();
    while (QueryState(service.h) != SERVICE_STOPPED) {
        if (GetTickCount() - start > timeoutMs) {
            SetError(error, L"ControlService(stop)", ERROR_TIMEOUT);
            return false;
        }
        Sleep(100);
    }
    return true;
}

bool RemoveDriver(std::wstring* error) {
    ScHandle manager, service;
    if (!OpenSimService(manager, service, error))
        return false;
    if (!DeleteService(service.h)) {
        SetError(error, L"DeleteService");
        return false;
    }
    return true;
}

DWORD DriverState() {
    ScHandle manager, service;
    if (!OpenSimService(manager, service, nullptr))
        return 0;
    return QueryState(service.h);
}

bool Device::Open() {
    Close();
    // Shared, not overlapped: the tool's requests never pend.
    m_handle = CreateFileW(SIMMOUSE_USER_PATH, GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return IsOpen();
}

void Device::Close() {
    if (IsOpen())
        CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

bool Device::Control(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                     DWORD* bytes) {
    DWORD local = 0;
    return IsOpen() && DeviceIoControl(m_handle, code, const_cast<void*>(in), inSize, out, outSize,
                                       bytes ? bytes : &local, nullptr);
}

bool Device::Inject(const std::vector<std::uint8_t>& buttonBytes) {
    return Control(SIMMOUSE_IOCTL_INJECT, buttonBytes.data(),
                   static_cast<DWORD>(buttonBytes.size()), nullptr, 0);
}

bool Device::SetState(const std::uint8_t state[7]) {
    return Control(SIMMOUSE_IOCTL_SET_STATE, state, 7, nullptr, 0);
}

bool Device::GetStatus(SimMouseStatus* status) {
    return Control(SIMMOUSE_IOCTL_GET_STATUS, nullptr, 0, status, sizeof *status);
}

bool Device::GetLog(std::vector<SimMouseLogEntry>* entries, unsigned* total) {
    std::vector<std::uint8_t> buffer(sizeof(SimMouseLogHeader) +
                                     SIMMOUSE_LOG_CAPACITY * sizeof(SimMouseLogEntry));
    DWORD bytes = 0;
    if (!Control(SIMMOUSE_IOCTL_GET_LOG, nullptr, 0, buffer.data(),
                 static_cast<DWORD>(buffer.size()), &bytes) ||
        bytes < sizeof(SimMouseLogHeader))
        return false;
    SimMouseLogHeader header;
    std::memcpy(&header, buffer.data(), sizeof header);
    const std::size_t fitting = (bytes - sizeof header) / sizeof(SimMouseLogEntry);
    const std::size_t count = header.count < fitting ? header.count : fitting;
    entries->resize(count);
    if (count)
        std::memcpy(entries->data(), buffer.data() + sizeof header,
                    count * sizeof(SimMouseLogEntry));
    if (total)
        *total = header.total;
    return true;
}

bool Device::Reset() {
    return Control(SIMMOUSE_IOCTL_RESET, nullptr, 0, nullptr, 0);
}

bool Device::AlterEchoes(std::uint8_t count) {
    return Control(SIMMOUSE_IOCTL_ALTER_ECHOES, &count, 1, nullptr, 0);
}

bool Device::SetBlockLimit(std::uint8_t records) {
    return Control(SIMMOUSE_IOCTL_SET_BLOCK_LIMIT, &records, 1, nullptr, 0);
}

std::wstring InterfacePath() {
    return L"\\\\?\\hid#vid_0c45&pid_7303&mi_00#7&2b1c4d5e&0&0000#"
           L"{4d1e55b2-f16f-11cf-88cb-001111000030}";
}

bool AnnounceInterface(HWND window, bool arrival) {
    if (!window || !IsWindow(window))
        return false;
    const std::wstring path = InterfacePath();
    std::vector<std::uint8_t> buffer(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) +
                                     (path.size() + 1) * sizeof(wchar_t));
    auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    broadcast->dbcc_size = static_cast<DWORD>(buffer.size());
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    // The HID class GUID {4D1E55B2-F16F-11CF-88CB-001111000030}.
    broadcast->dbcc_classguid = {
        0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    std::memcpy(broadcast->dbcc_name, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    SendMessageW(window, WM_DEVICECHANGE, arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                 reinterpret_cast<LPARAM>(broadcast));
    return true;
}

HWND FindHostWindow() {
    return FindWindowW(L"" GEARHOST_WINDOW_CLASS, nullptr);
}

std::wstring HexBytes(const std::uint8_t* data, std::size_t length) {
    std::wstring text;
    wchar_t byte[4];
    for (std::size_t i = 0; i < length; ++i) {
        swprintf(byte, 4, L"%02X", data[i]);
        if (i)
            text += L' ';
        text += byte;
    }
    return text;
}

} // namespace simmouse
