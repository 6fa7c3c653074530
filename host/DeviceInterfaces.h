#pragma once
// The device interfaces present in the system, through SetupAPI.
#include <windows.h>

#include <string>
#include <vector>

// The HID device interface class.
GUID HidInterfaceClass();

// Paths of the present interfaces of interfaceClass; empty when none can be listed. An
// interface whose details cannot be read ends the list early.
std::vector<std::wstring> PresentDeviceInterfaces(const GUID& interfaceClass);
