#include "host/DeviceInterfaces.h"

#include "framework/Handle.h"

#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <cstddef>
#include <cstdlib>
#include <cwchar>
#include <memory>

namespace {

struct DeviceInfoListTraits {
    using pointer = HDEVINFO;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(pointer h) noexcept { ::SetupDiDestroyDeviceInfoList(h); }
};
using UniqueDeviceInfoList = fw::UniqueHandle<DeviceInfoListTraits>;

struct FreeDeleter {
    void operator()(void* block) const noexcept { std::free(block); }
};
using DetailBuffer = std::unique_ptr<SP_DEVICE_INTERFACE_DETAIL_DATA_W, FreeDeleter>;

} // namespace

GUID HidInterfaceClass() {
    GUID hid = {};
    HidD_GetHidGuid(&hid);
    return hid;
}

std::vector<std::wstring> PresentDeviceInterfaces(const GUID& interfaceClass) {
    std::vector<std::wstring> paths;
    UniqueDeviceInfoList devices(SetupDiGetClassDevsW(&interfaceClass, nullptr, nullptr,
                                                      DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!devices)
        return paths;

    SP_DEVICE_INTERFACE_DATA interfaceData = {};
    interfaceData.cbSize = sizeof(interfaceData);
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(devices.get(), nullptr, &interfaceClass,
                                                      index, &interfaceData);
         ++index) {
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailW(devices.get(), &interfaceData, nullptr, 0, &needed,
                                         nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
            break;
        DetailBuffer detail(
            static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(std::calloc(1, needed)));
        if (!detail)
            break;
        // The fixed part of the structure as this build lays it out: 8 bytes on 64-bit.
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(devices.get(), &interfaceData, detail.get(), needed,
                                              nullptr, nullptr))
            break;
        const size_t maxChars =
            (needed - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
        paths.emplace_back(detail->DevicePath, wcsnlen(detail->DevicePath, maxChars));
    }
    return paths;
}
