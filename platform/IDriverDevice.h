#pragma once
// The driver-device seam: opening a kernel driver's device by
// path and issuing overlapped control requests on it, each waited to completion, with a
// way for another thread to cancel what is pending. No <windows.h> here: the channel code
// of module/device/ and its tests see only this; platform/Win32DriverDevice.* implements it
// with CreateFileW / DeviceIoControl / GetOverlappedResult / CancelIoEx / CloseHandle.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// How one control request ended.
enum class IoStatus {
    Done,    // completed successfully (at once or after pending)
    Failed,  // failed at once with an error other than "pending" (e.g. closed handle)
    Aborted, // was pending and then completed with an error (cancelled, device gone)
};

struct IoResult {
    IoStatus status = IoStatus::Failed;
    std::uint32_t bytes = 0; // bytes the driver returned in the output buffer
};

// One open device. Requests from several threads may be in flight at once; each has its
// own completion. The device is closed when the last owner lets go of it, so a thread
// that is still inside Control keeps the handle valid until it returns.
class IDriverHandle {
public:
    virtual ~IDriverHandle() = default;

    // Issues one control request and waits until it completes (or fails at once).
    // `in`/`out` may be null with a size of 0.
    virtual IoResult Control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                             std::uint32_t outSize) = 0;

    // Cancels every request pending on this handle, from any thread; each completes with
    // IoStatus::Aborted. Requests issued afterwards pend as usual.
    virtual void CancelAll() = 0;
};

// Opens devices by path (for the real system, "\\.\QuillonKeyboard").
class IDriverDevice {
public:
    virtual ~IDriverDevice() = default;

    // Opens `path` for reading and writing, exclusively, for overlapped requests; null when
    // it cannot be opened.
    virtual std::shared_ptr<IDriverHandle> Open(const std::wstring& path) = 0;
};

// The operating system's implementation (Win32DriverDevice.cpp).
std::shared_ptr<IDriverDevice> SystemDriverDevice();

} // namespace platform
