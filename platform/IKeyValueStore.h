#pragma once
// The key/value store seam: a tree of keys holding named string, 32-bit and binary values
// (the current user's registry on Windows, RegistryKeyValueStore.*). An object of this
// interface is one open key; it closes when the object goes. Reads give nothing for a value
// that is missing or of another type, and numbers and binary values are bounded by the
// caller, so damaged data reads like missing data; a text too long for its reader comes back
// cut, so the rest of its record survives. Nothing is reported beyond success or failure.
#include "platform/StoredValue.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class IKeyValueStore {
public:
    virtual ~IKeyValueStore() = default;

    // An existing subkey ('\'-separated path) opened for reading; null when it cannot be.
    virtual std::unique_ptr<IKeyValueStore> OpenKey(const std::wstring& path) = 0;
    // A subkey opened for reading and writing, created when missing; null when this key is
    // read-only or the subkey cannot be created or opened.
    virtual std::unique_ptr<IKeyValueStore> CreateKey(const std::wstring& path) = 0;

    // Names of the direct subkeys, in no particular order.
    virtual std::vector<std::wstring> SubKeyNames() = 0;
    // Number of values this key holds.
    virtual std::size_t ValueCount() = 0;

    // Whether a value of this name exists, whatever its type and contents.
    virtual bool HasValue(const std::wstring& name) = 0;

    // The text up to its first null, cut to maxLength characters.
    virtual std::optional<std::wstring> ReadString(const std::wstring& name,
                                                   std::size_t maxLength) = 0;
    virtual std::optional<std::uint32_t> ReadDword(const std::wstring& name) = 0;
    virtual std::optional<std::vector<std::uint8_t>> ReadBinary(const std::wstring& name,
                                                                std::size_t maxBytes) = 0;
    // The value's type and bytes as stored; nothing when it is missing or larger than maxBytes.
    virtual std::optional<StoredValue> ReadValue(const std::wstring& name,
                                                 std::size_t maxBytes) = 0;

    // Strings are stored with their terminating null. False when nothing was written.
    virtual bool WriteString(const std::wstring& name, const std::wstring& text) = 0;
    virtual bool WriteDword(const std::wstring& name, std::uint32_t value) = 0;
    virtual bool WriteBinary(const std::wstring& name, const std::vector<std::uint8_t>& bytes) = 0;
};

// The running user's own tree (HKEY_CURRENT_USER), open for reading and writing; null when it
// cannot be opened.
std::unique_ptr<IKeyValueStore> OpenCurrentUserStore();

} // namespace platform
