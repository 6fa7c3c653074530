#pragma once
// The program icon (resource icon 128): window icon and notification-area icon.
#include <string>

namespace skingen {

class AppIcon {
public:
    // Writes the icon in 16, 32 and 48 pixels as one icon file.
    static bool Write(const std::wstring& path);
};

} // namespace skingen
