#include "module/actions/MacroStep.h"

namespace {

void Put(std::vector<std::uint8_t>& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Get(const std::vector<std::uint8_t>& bytes, std::size_t offset, int width) {
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

} // namespace

std::vector<std::uint8_t> MacroStep::ToBytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kStoredSize);
    Put(bytes, type, 4);
    Put(bytes, wVk, 2);
    Put(bytes, wScan, 2);
    Put(bytes, dwFlags, 4);
    Put(bytes, time, 4);
    Put(bytes, dwExtraInfo, 4);
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

MacroStep MacroStep::FromBytes(const std::vector<std::uint8_t>& bytes) {
    MacroStep step;
    if (bytes.size() != kStoredSize)
        return step;
    step.type = Get(bytes, 0, 4);
    step.wVk = static_cast<std::uint16_t>(Get(bytes, 4, 2));
    step.wScan = static_cast<std::uint16_t>(Get(bytes, 6, 2));
    step.dwFlags = Get(bytes, 8, 4);
    step.time = Get(bytes, 12, 4);
    step.dwExtraInfo = Get(bytes, 16, 4);
    for (std::size_t i = 0; i < step.rest.size(); ++i)
        step.rest[i] = bytes[20 + i];
    return step;
}
