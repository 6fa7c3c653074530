#include "platform/Win32IniFile.h"

#include <windows.h>

#include <cstddef>
#include <cwchar>

namespace {
// Every value is read into a buffer of this many characters, terminator included.
constexpr DWORD kValueChars = 260;
// A section is read into a buffer that starts at this many characters and doubles until the
// whole section fits, up to the last size.
constexpr std::size_t kFirstSectionChars = 32 * 1024;
constexpr std::size_t kLastSectionChars = 64 * 1024 * 1024;

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring Trimmed(const std::wstring& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// As a single read gives it: blanks and one pair of enclosing quotes removed, then cut.
std::wstring ValueAsRead(const std::wstring& raw) {
    std::wstring value = Trimmed(raw);
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > kValueChars - 1)
        value.resize(kValueChars - 1);
    return value;
}
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

std::vector<IniEntry> Win32IniFile::ReadSection(const std::wstring& file,
                                                const std::wstring& section) {
    std::vector<IniEntry> entries;
    if (file.empty())
        return entries;
    std::vector<wchar_t> buffer(kFirstSectionChars);
    DWORD length = 0;
    for (;;) {
        length = GetPrivateProfileSectionW(section.c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
        // A section that does not fit comes back cut, its length two short of the buffer.
        if (length + 2 < buffer.size() || buffer.size() >= kLastSectionChars)
            break;
        buffer.resize(buffer.size() * 2);
    }
    // Null-separated "key=value" lines.
    for (std::size_t start = 0; start < length;) {
        const std::wstring line(&buffer[start], wcsnlen(&buffer[start], length - start));
        start += line.size() + 1;
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring::npos)
            continue;
        entries.push_back({Trimmed(line.substr(0, equals)), ValueAsRead(line.substr(equals + 1))});
    }
    return entries;
}

bool Win32IniFile::WriteString(const std::wstring& file, const std::wstring& section,
                               const std::wstring& key, const std::wstring& value) {
    if (file.empty())
        return false;
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}
