#pragma once
// One key event taken by the recording hook, packed into a posted message's two parameters
// so the hook can hand it over without waiting for the list.
#include <cstdint>
#include <utility>

struct CapturedKey {
    // Low-level event flags as the system gives them.
    static constexpr std::uint32_t kExtended = 0x01;
    static constexpr std::uint32_t kReleased = 0x80;

    std::uint32_t message = 0; // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    std::uint16_t vk = 0;
    std::uint16_t scan = 0;
    std::uint8_t flags = 0;
    std::uint32_t time = 0;

    bool IsPress() const;

    // (wParam, lParam) of the posted message.
    std::pair<std::uint64_t, std::uint64_t> Pack() const;
    static CapturedKey Unpack(std::uint64_t wParam, std::uint64_t lParam);
};
