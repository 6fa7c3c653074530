#include "framework/CRegKey.h"

LONG CRegKey::Create(HKEY parent, const wchar_t* name, REGSAM access) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                  nullptr, &key, nullptr);
    m_key.reset(status == ERROR_SUCCESS ? key : nullptr);
    return status;
}

LONG CRegKey::Open(HKEY parent, const wchar_t* name, REGSAM access) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(parent, name, 0, access, &key);
    m_key.reset(status == ERROR_SUCCESS ? key : nullptr);
    return status;
}

std::optional<std::vector<BYTE>> CRegKey::QueryRaw(const wchar_t* name, DWORD& type) const {
    if (!m_key)
        return std::nullopt;
    // The value may change between the size query and the read; retry on growth.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExW(m_key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::vector<BYTE> data(size);
        LONG status = RegQueryValueExW(m_key.get(), name, nullptr, &type,
                                       data.empty() ? nullptr : data.data(), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        data.resize(size);
        return data;
    }
    return std::nullopt;
}

std::optional<std::wstring> CRegKey::QueryString(const wchar_t* name) const {
    DWORD type = 0;
    auto data = QueryRaw(name, type);
    if (!data || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    size_t chars = data->size() / sizeof(wchar_t);
    std::wstring text(chars, L'\0');
    if (chars)
        memcpy(&text[0], data->data(), chars * sizeof(wchar_t));
    size_t end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    return text;
}

std::optional<DWORD> CRegKey::QueryDword(const wchar_t* name) const {
    DWORD type = 0;
    auto data = QueryRaw(name, type);
    if (!data || type != REG_DWORD || data->size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value = 0;
    memcpy(&value, data->data(), sizeof(value));
    return value;
}

std::optional<std::vector<BYTE>> CRegKey::QueryBinary(const wchar_t* name) const {
    DWORD type = 0;
    auto data = QueryRaw(name, type);
    if (!data || type != REG_BINARY)
        return std::nullopt;
    return data;
}

bool CRegKey::SetString(const wchar_t* name, const std::wstring& value) const {
    // The stored size counts the terminating null.
    DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return m_key &&
           RegSetValueExW(m_key.get(), name, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), size) == ERROR_SUCCESS;
}

bool CRegKey::SetDword(const wchar_t* name, DWORD value) const {
    return m_key &&
           RegSetValueExW(m_key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value)) == ERROR_SUCCESS;
}

bool CRegKey::SetBinary(const wchar_t* name, const void* data, DWORD size) const {
    return m_key && RegSetValueExW(m_key.get(), name, 0, REG_BINARY, static_cast<const BYTE*>(data),
                                   size) == ERROR_SUCCESS;
}

bool CRegKey::DeleteValue(const wchar_t* name) const {
    return m_key && RegDeleteValueW(m_key.get(), name) == ERROR_SUCCESS;
}
