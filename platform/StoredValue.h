#pragma once
// The bytes of one stored value and how they are read back. Shared by every key/value store
// (the registry and the test doubles) so that damaged data reads the same everywhere: a value
// of another type, of the wrong size or (numbers and binary values) too long for its reader
// reads as missing, a text too long for its reader reads cut, and no reader looks past the
// bytes that were stored.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Value types, numbered as the registry numbers them.
enum class ValueType : std::uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    MultiString = 7,
    Qword = 11,
};

struct StoredValue {
    ValueType type = ValueType::None;
    std::vector<std::uint8_t> bytes;

    bool operator==(const StoredValue& other) const {
        return type == other.type && bytes == other.bytes;
    }
    bool operator!=(const StoredValue& other) const { return !(*this == other); }
};

// Bytes of a stored string of maxLength characters with its terminator.
std::size_t StringByteLimit(std::size_t maxLength);

// The text up to the first null unit, cut to maxLength characters. A trailing odd byte is
// ignored and a missing terminator is tolerated; a value that is not a string reads as
// missing.
std::optional<std::wstring> DecodeString(const StoredValue& value, std::size_t maxLength);

// Exactly four bytes of a 32-bit value; anything else reads as missing.
std::optional<std::uint32_t> DecodeDword(const StoredValue& value);

// Binary bytes up to maxBytes; larger values and other types read as missing.
std::optional<std::vector<std::uint8_t>> DecodeBinary(const StoredValue& value,
                                                      std::size_t maxBytes);

// Strings are stored with their terminating null; 32-bit values little-endian.
StoredValue EncodeString(const std::wstring& text);
StoredValue EncodeDword(std::uint32_t value);
StoredValue EncodeBinary(const std::vector<std::uint8_t>& bytes);

} // namespace platform
