#pragma once
// The interface path a WM_DEVICECHANGE record carries.
#include <windows.h>

#include <dbt.h>

#include <string>

// False unless record is a device-interface record; path then holds its name, read only
// within the record's own size (a name without terminator ends there).
bool InterfacePathOf(const DEV_BROADCAST_HDR* record, std::wstring* path);
