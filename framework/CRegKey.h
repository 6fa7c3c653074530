#pragma once
// An open registry key, closed with the object. Values are read through typed getters that
// return nothing when the value is missing or of another type.
#include "framework/Handle.h"

#include <optional>
#include <string>
#include <vector>

class CRegKey {
public:
    // Opens the key, creating it when missing. Returns the system's error code.
    LONG Create(HKEY parent, const wchar_t* name, REGSAM access = KEY_READ | KEY_WRITE);
    LONG Open(HKEY parent, const wchar_t* name, REGSAM access = KEY_READ);
    void Close() { m_key.reset(); }
    HKEY Handle() const { return m_key.get(); }
    explicit operator bool() const { return static_cast<bool>(m_key); }

    // REG_SZ (or REG_EXPAND_SZ, unexpanded); text up to the first null, an odd last byte
    // and a missing terminator tolerated.
    std::optional<std::wstring> QueryString(const wchar_t* name) const;
    std::optional<DWORD> QueryDword(const wchar_t* name) const;
    std::optional<std::vector<BYTE>> QueryBinary(const wchar_t* name) const;

    bool SetString(const wchar_t* name, const std::wstring& value) const;
    bool SetDword(const wchar_t* name, DWORD value) const;
    bool SetBinary(const wchar_t* name, const void* data, DWORD size) const;
    bool DeleteValue(const wchar_t* name) const;

private:
    std::optional<std::vector<BYTE>> QueryRaw(const wchar_t* name, DWORD& type) const;

    fw::UniqueRegKey m_key;
};
