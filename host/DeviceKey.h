#pragma once
// How a module's vendor/product pair is found in a HID interface path such as
// "\\?\hid#vid_0c45&pid_7303&mi_00#...": the 17 characters after the 8-character prefix.
#include <string>

// The lower-case "vid_%04x&pid_%04x" of a module's pair.
std::wstring DeviceKeyOf(int vendorId, int productId);

// Characters 8 to 24 of an interface path in lower case; shorter (or empty) when the path
// is, so it then matches no pair. Never reads past the path's terminator.
std::wstring DeviceKeyOfPath(const wchar_t* path);
