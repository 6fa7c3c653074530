#pragma once
// Owner of a registration for device notifications.
#include "framework/Handle.h"

struct DeviceNotificationTraits {
    using pointer = HDEVNOTIFY;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::UnregisterDeviceNotification(h); }
};
using UniqueDeviceNotification = fw::UniqueHandle<DeviceNotificationTraits>;
