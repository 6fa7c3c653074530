#pragma once
// INI access through the system's private-profile functions.
#include "platform/IIniFile.h"

class Win32IniFile final : public IIniFile {
public:
    std::wstring ReadString(const std::wstring& file, const std::wstring& section,
                            const std::wstring& key, const std::wstring& defaultValue) override;
    std::vector<IniEntry> ReadSection(const std::wstring& file,
                                      const std::wstring& section) override;
    bool WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override;
};
