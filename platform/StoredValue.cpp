#include "platform/StoredValue.h"

namespace platform {

std::size_t StringByteLimit(std::size_t maxLength) {
    return (maxLength + 1) * sizeof(char16_t);
}

std::optional<std::wstring> DecodeString(const StoredValue& value, std::size_t maxLength) {
    if (value.type != ValueType::String && value.type != ValueType::ExpandString)
        return std::nullopt;
    std::wstring text;
    const std::size_t units = value.bytes.size() / 2;
    for (std::size_t i = 0; i < units && text.size() < maxLength; ++i) {
        const auto unit = static_cast<wchar_t>(value.bytes[2 * i] | (value.bytes[2 * i + 1] << 8));
        if (unit == L'\0')
            break;
        text.push_back(unit);
    }
    return text;
}

std::optional<std::uint32_t> DecodeDword(const StoredValue& value) {
    if (value.type != ValueType::Dword || value.bytes.size() != 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(value.bytes[0]) |
           static_cast<std::uint32_t>(value.bytes[1]) << 8 |
           static_cast<std::uint32_t>(value.bytes[2]) << 16 |
           static_cast<std::uint32_t>(value.bytes[3]) << 24;
}

std::optional<std::vector<std::uint8_t>> DecodeBinary(const StoredValue& value,
                                                      std::size_t maxBytes) {
    if (value.type != ValueType::Binary || value.bytes.size() > maxBytes)
        return std::nullopt;
    return value.bytes;
}

StoredValue EncodeString(const std::wstring& text) {
    StoredValue value{ValueType::String, {}};
    value.bytes.reserve((text.size() + 1) * 2);
    for (wchar_t unit : text) {
        value.bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        value.bytes.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    }
    value.bytes.push_back(0);
    value.bytes.push_back(0);
    return value;
}

StoredValue EncodeDword(std::uint32_t number) {
    return {ValueType::Dword,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

StoredValue EncodeBinary(const std::vector<std::uint8_t>& bytes) {
    return {ValueType::Binary, bytes};
}

} // namespace platform
