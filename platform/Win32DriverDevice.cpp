#include "platform/Win32DriverDevice.h"

#include <windows.h>

namespace platform {
namespace {

class Win32DriverHandle : public IDriverHandle {
public:
    explicit Win32DriverHandle(HANDLE handle) : m_handle(handle) {}
    ~Win32DriverHandle() override { ::CloseHandle(m_handle); }

    Win32DriverHandle(const Win32DriverHandle&) = delete;
    Win32DriverHandle& operator=(const Win32DriverHandle&) = delete;

    IoResult Control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                     std::uint32_t outSize) override {
        IoResult result;
        HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!event)
            return result;
        OVERLAPPED overlapped = {};
        overlapped.hEvent = event;
        DWORD bytes = 0;
        if (::DeviceIoControl(m_handle, code, const_cast<void*>(in), inSize, out, outSize, &bytes,
                              &overlapped)) {
            result.status = IoStatus::Done;
            result.bytes = bytes;
        } else if (::GetLastError() == ERROR_IO_PENDING) {
            if (::GetOverlappedResult(m_handle, &overlapped, &bytes, TRUE)) {
                result.status = IoStatus::Done;
                result.bytes = bytes;
            } else {
                result.status = IoStatus::Aborted;
            }
        }
        ::CloseHandle(event);
        return result;
    }

    void CancelAll() override { ::CancelIoEx(m_handle, nullptr); }

private:
    HANDLE m_handle;
};

} // namespace

std::shared_ptr<IDriverHandle> Win32DriverDevice::Open(const std::wstring& path) {
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_shared<Win32DriverHandle>(handle);
}

std::shared_ptr<IDriverDevice> SystemDriverDevice() {
    static std::shared_ptr<IDriverDevice> device = std::make_shared<Win32DriverDevice>();
    return device;
}

} // namespace platform
