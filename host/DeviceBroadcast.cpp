#include "host/DeviceBroadcast.h"

#include <cstddef>
#include <cwchar>

bool InterfacePathOf(const DEV_BROADCAST_HDR* record, std::wstring* path) {
    constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (!record || !path || record->dbch_size < sizeof(DEV_BROADCAST_HDR))
        return false;
    if (record->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE || record->dbch_size < kNameOffset)
        return false;
    const auto* deviceInterface = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(record);
    const size_t maxChars = (record->dbch_size - kNameOffset) / sizeof(wchar_t);
    path->assign(deviceInterface->dbcc_name, wcsnlen(deviceInterface->dbcc_name, maxChars));
    return true;
}
