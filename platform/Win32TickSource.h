#pragma once
// The system's tick count (GetTickCount).
#include "platform/ITickSource.h"

namespace platform {

class Win32TickSource final : public ITickSource {
public:
    std::uint32_t Milliseconds() const override;
};

} // namespace platform
