#pragma once
// The millisecond tick-count seam: milliseconds since the system started, wrapping at 2^32.
#include <cstdint>

namespace platform {

class ITickSource {
public:
    virtual ~ITickSource() = default;
    virtual std::uint32_t Milliseconds() const = 0;
};

} // namespace platform
