#pragma once
// One recorded keyboard event, stored byte for byte as the 28-byte keyboard input record of
// a 32-bit process (little-endian). The 64-bit build converts it to its native input record
// only when sending; what is stored stays 28 bytes.
#include <array>
#include <cstdint>
#include <vector>

struct MacroStep {
    static constexpr std::size_t kStoredSize = 28;
    static constexpr std::uint32_t kKeyboardInput = 1;
    static constexpr std::uint32_t kExtendedKey = 0x1;
    static constexpr std::uint32_t kKeyUp = 0x2;

    std::uint32_t type = 0;
    std::uint16_t wVk = 0;
    std::uint16_t wScan = 0;
    std::uint32_t dwFlags = 0;
    // Pause in milliseconds after this step.
    std::uint32_t time = 0;
    std::uint32_t dwExtraInfo = 0;
    // The rest of the 32-bit record, kept as stored.
    std::array<std::uint8_t, 8> rest{};

    std::vector<std::uint8_t> ToBytes() const;
    // An all-zero step (sent as nothing, never listed) unless bytes is exactly one record.
    static MacroStep FromBytes(const std::vector<std::uint8_t>& bytes);

    // Equal steps are stored as the same bytes.
    bool operator==(const MacroStep& other) const {
        return type == other.type && wVk == other.wVk && wScan == other.wScan &&
               dwFlags == other.dwFlags && time == other.time && dwExtraInfo == other.dwExtraInfo &&
               rest == other.rest;
    }
    bool operator!=(const MacroStep& other) const { return !(*this == other); }
};
