#include "platform/Win32TickSource.h"

#include <windows.h>

namespace platform {

std::uint32_t Win32TickSource::Milliseconds() const {
    return GetTickCount();
}

} // namespace platform
