#include "platform/Win32IniFile.h"

#include <windows.h>

namespace {
// Every value is read into a buffer of this many characters, terminator included.
constexpr DWORD kValueChars = 260;
} // namespace

// An empty file name would make the system fall back to win.ini in the Windows folder.
std::wstring Win32IniFile::ReadString(const std::wstring& file, const std::wstring& section,
                                      const std::wstring& key, const std::wstring& defaultValue) {
    if (file.empty())
        return defaultValue;
    wchar_t value[kValueChars] = {};
    DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                            value, kValueChars, file.c_str());
    return std::wstring(value, length < kValueChars ? length : kValueChars - 1);
}

bool Win32IniFile::WriteString(const std::wstring& file, const std::wstring& section,
                               const std::wstring& key, const std::wstring& value) {
    if (file.empty())
        return false;
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}
