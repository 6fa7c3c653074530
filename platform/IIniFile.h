#pragma once
// Reads and writes of private-profile (INI) files. Section and key names match without
// regard to case; values come back without surrounding blanks and one pair of quotes.
#include <string>

class IIniFile {
public:
    // The value of key in section of file; defaultValue when the key is missing. Values
    // longer than 259 characters arrive cut to that length.
    virtual std::wstring ReadString(const std::wstring& file, const std::wstring& section,
                                    const std::wstring& key, const std::wstring& defaultValue) = 0;
    // Creates the file (when its folder exists), the section and the key as needed.
    virtual bool WriteString(const std::wstring& file, const std::wstring& section,
                             const std::wstring& key, const std::wstring& value) = 0;

protected:
    ~IIniFile() = default;
};
