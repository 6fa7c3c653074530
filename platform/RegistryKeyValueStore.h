#pragma once
// Win32 implementation of the key/value store seam: one registry key. Values are read into
// buffers of the size the registry reports, so no read goes past the bytes it returned.
#include "framework/Handle.h"
#include "platform/IKeyValueStore.h"
#include "platform/StoredValue.h"

namespace platform {

class RegistryKeyValueStore final : public IKeyValueStore {
public:
    // A key opened read-only gives only read-only subkeys and writes nothing.
    RegistryKeyValueStore(fw::UniqueRegKey key, bool writable);

    std::unique_ptr<IKeyValueStore> OpenKey(const std::wstring& path) override;
    std::unique_ptr<IKeyValueStore> CreateKey(const std::wstring& path) override;
    std::vector<std::wstring> SubKeyNames() override;
    std::size_t ValueCount() override;
    bool HasValue(const std::wstring& name) override;
    std::optional<std::wstring> ReadString(const std::wstring& name,
                                           std::size_t maxLength) override;
    std::optional<std::uint32_t> ReadDword(const std::wstring& name) override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(const std::wstring& name,
                                                        std::size_t maxBytes) override;
    std::optional<StoredValue> ReadValue(const std::wstring& name, std::size_t maxBytes) override;
    bool WriteString(const std::wstring& name, const std::wstring& text) override;
    bool WriteDword(const std::wstring& name, std::uint32_t value) override;
    bool WriteBinary(const std::wstring& name, const std::vector<std::uint8_t>& bytes) override;

private:
    // The value's type and bytes, or nothing when it is missing or larger than maxBytes.
    std::optional<StoredValue> ReadRaw(const std::wstring& name, std::size_t maxBytes) const;
    // The value's type and all its bytes; one call when it fits in `expected` bytes.
    std::optional<StoredValue> ReadWhole(const std::wstring& name, std::size_t expected) const;
    bool WriteRaw(const std::wstring& name, const StoredValue& value);

    fw::UniqueRegKey m_key;
    bool m_writable;
};

} // namespace platform
