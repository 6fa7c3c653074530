#include "module/actions/CapturedKey.h"

namespace {
constexpr std::uint32_t kKeyDown = 0x100;
constexpr std::uint32_t kSysKeyDown = 0x104;
} // namespace

bool CapturedKey::IsPress() const {
    return message == kKeyDown || message == kSysKeyDown;
}

std::pair<std::uint64_t, std::uint64_t> CapturedKey::Pack() const {
    const std::uint64_t w = std::uint64_t{vk} | (std::uint64_t{scan} << 16) |
                            (std::uint64_t{flags} << 32) | (std::uint64_t{message & 0xFFFF} << 40);
    return {w, std::uint64_t{time}};
}

CapturedKey CapturedKey::Unpack(std::uint64_t wParam, std::uint64_t lParam) {
    CapturedKey key;
    key.vk = static_cast<std::uint16_t>(wParam & 0xFFFF);
    key.scan = static_cast<std::uint16_t>((wParam >> 16) & 0xFFFF);
    key.flags = static_cast<std::uint8_t>((wParam >> 32) & 0xFF);
    key.message = static_cast<std::uint32_t>((wParam >> 40) & 0xFFFF);
    key.time = static_cast<std::uint32_t>(lParam & 0xFFFFFFFF);
    return key;
}
