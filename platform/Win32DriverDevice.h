#pragma once
// Win32 implementation of the driver-device seam: CreateFileW with FILE_FLAG_OVERLAPPED,
// one manual-reset event and OVERLAPPED per request, GetOverlappedResult(wait), CancelIoEx,
// CloseHandle when the last owner lets go.
#include "platform/IDriverDevice.h"

namespace platform {

class Win32DriverDevice : public IDriverDevice {
public:
    std::shared_ptr<IDriverHandle> Open(const std::wstring& path) override;
};

} // namespace platform
