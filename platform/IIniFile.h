#pragma once
// Reads and writes of private-profile (INI) files. Section and key names match without
// regard to case; values come back without surrounding blanks and one pair of quotes.
#include <string>
#include <vector>

struct IniEntry {
    std::wstring key;
    std::wstring value;
};

class IIniFile {
public:
    // The value of key in section of file; defaultValue when the key is missing. Values
    // longer than 259 characters arrive cut to that length.
    virtual std::wstring ReadString(const std::wstring& file, const std::wstring& section,
                                    const std::wstring& key, const std::wstring& defaultValue) = 0;
    // Every key=value line of section, in file order, each value as ReadString gives it; one
    // read however many keys. Lines without '=' are left out; a key may occur more than once.
    // Empty when the file or the section is missing or cannot be read.
    virtual std::vector<IniEntry> ReadSection(const std::wstring& file,
                                              const std::wstring& section) = 0;
    // Creates the file (when its folder exists), the section and the key as needed.
    virtual bool WriteString(const std::wstring& file, const std::wstring& section,
                             const std::wstring& key, const std::wstring& value) = 0;

protected:
    ~IIniFile() = default;
};
