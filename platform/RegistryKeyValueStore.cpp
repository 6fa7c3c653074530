#include "platform/RegistryKeyValueStore.h"

namespace platform {

namespace {
constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;
// Registry key names are at most 255 characters.
constexpr DWORD kKeyNameBuffer = 256;
// Reads bounded by at most this many bytes take one registry call instead of two.
constexpr std::size_t kSingleReadLimit = 4096;
} // namespace

RegistryKeyValueStore::RegistryKeyValueStore(fw::UniqueRegKey key, bool writable)
    : m_key(std::move(key)), m_writable(writable) {}

std::unique_ptr<IKeyValueStore> RegistryKeyValueStore::OpenKey(const std::wstring& path) {
    fw::UniqueRegKey key;
    if (RegOpenKeyExW(m_key.get(), path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<RegistryKeyValueStore>(std::move(key), false);
}

std::unique_ptr<IKeyValueStore> RegistryKeyValueStore::CreateKey(const std::wstring& path) {
    if (!m_writable)
        return nullptr;
    fw::UniqueRegKey key;
    if (RegCreateKeyExW(m_key.get(), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite,
                        nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<RegistryKeyValueStore>(std::move(key), true);
}

std::vector<std::wstring> RegistryKeyValueStore::SubKeyNames() {
    std::vector<std::wstring> names;
    wchar_t name[kKeyNameBuffer];
    for (DWORD index = 0;; ++index) {
        DWORD length = kKeyNameBuffer;
        const LONG result =
            RegEnumKeyExW(m_key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

std::size_t RegistryKeyValueStore::ValueCount() {
    DWORD values = 0;
    if (RegQueryInfoKeyW(m_key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return values;
}

bool RegistryKeyValueStore::HasValue(const std::wstring& name) {
    return RegQueryValueExW(m_key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

std::optional<StoredValue> RegistryKeyValueStore::ReadRaw(const std::wstring& name,
                                                          std::size_t maxBytes) const {
    DWORD type = REG_NONE;
    DWORD size = 0;
    StoredValue value;
    if (maxBytes <= kSingleReadLimit) {
        // One call into a buffer of the bound: the registry fills at most that and reports
        // ERROR_MORE_DATA for anything larger.
        value.bytes.resize(maxBytes);
        size = static_cast<DWORD>(maxBytes);
        if (RegQueryValueExW(m_key.get(), name.c_str(), nullptr, &type,
                             maxBytes ? value.bytes.data() : nullptr, &size) != ERROR_SUCCESS ||
            size > maxBytes)
            return std::nullopt;
    } else {
        if (RegQueryValueExW(m_key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            size > maxBytes)
            return std::nullopt;
        value.bytes.resize(size);
        // The value may have grown since its size was asked: then it does not fit and is
        // taken as too large.
        if (size > 0 && RegQueryValueExW(m_key.get(), name.c_str(), nullptr, &type,
                                         value.bytes.data(), &size) != ERROR_SUCCESS)
            return std::nullopt;
    }
    value.type = static_cast<ValueType>(type);
    value.bytes.resize(size);
    return value;
}

std::optional<StoredValue> RegistryKeyValueStore::ReadWhole(const std::wstring& name,
                                                            std::size_t expected) const {
    DWORD type = REG_NONE;
    StoredValue value;
    value.bytes.resize(expected > 0 ? expected : 1);
    DWORD size = static_cast<DWORD>(value.bytes.size());
    LONG result =
        RegQueryValueExW(m_key.get(), name.c_str(), nullptr, &type, value.bytes.data(), &size);
    // A larger value reports its size; it may grow again before the next call.
    while (result == ERROR_MORE_DATA) {
        value.bytes.resize(size);
        result =
            RegQueryValueExW(m_key.get(), name.c_str(), nullptr, &type, value.bytes.data(), &size);
    }
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    value.type = static_cast<ValueType>(type);
    value.bytes.resize(size);
    return value;
}

// A text longer than the reader takes is read whole and then cut, as the in-memory double
// does: cutting inside the registry's own buffer would depend on how it fills a short one.
std::optional<std::wstring> RegistryKeyValueStore::ReadString(const std::wstring& name,
                                                              std::size_t maxLength) {
    const auto value = ReadWhole(name, StringByteLimit(maxLength));
    return value ? DecodeString(*value, maxLength) : std::nullopt;
}

std::optional<std::uint32_t> RegistryKeyValueStore::ReadDword(const std::wstring& name) {
    const auto value = ReadRaw(name, sizeof(std::uint32_t));
    return value ? DecodeDword(*value) : std::nullopt;
}

std::optional<std::vector<std::uint8_t>> RegistryKeyValueStore::ReadBinary(const std::wstring& name,
                                                                           std::size_t maxBytes) {
    const auto value = ReadRaw(name, maxBytes);
    return value ? DecodeBinary(*value, maxBytes) : std::nullopt;
}

std::optional<StoredValue> RegistryKeyValueStore::ReadValue(const std::wstring& name,
                                                            std::size_t maxBytes) {
    if (maxBytes <= kSingleReadLimit)
        return ReadRaw(name, maxBytes);
    // Unbounded reads are texts, nearly always short: one call for those.
    auto value = ReadWhole(name, kSingleReadLimit);
    if (value && value->bytes.size() > maxBytes)
        return std::nullopt;
    return value;
}

bool RegistryKeyValueStore::WriteRaw(const std::wstring& name, const StoredValue& value) {
    if (!m_writable)
        return false;
    return RegSetValueExW(m_key.get(), name.c_str(), 0, static_cast<DWORD>(value.type),
                          value.bytes.data(),
                          static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

bool RegistryKeyValueStore::WriteString(const std::wstring& name, const std::wstring& text) {
    return WriteRaw(name, EncodeString(text));
}

bool RegistryKeyValueStore::WriteDword(const std::wstring& name, std::uint32_t value) {
    return WriteRaw(name, EncodeDword(value));
}

bool RegistryKeyValueStore::WriteBinary(const std::wstring& name,
                                        const std::vector<std::uint8_t>& bytes) {
    return WriteRaw(name, EncodeBinary(bytes));
}

std::unique_ptr<IKeyValueStore> OpenCurrentUserStore() {
    // A handle of its own: the predefined HKEY_CURRENT_USER must never be closed.
    fw::UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"", 0, kReadWrite, key.put()) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<RegistryKeyValueStore>(std::move(key), true);
}

} // namespace platform
