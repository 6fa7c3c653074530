#include "tools/skingen/Theme.h"

namespace skingen::theme {

ARGB Mix(ARGB a, ARGB b, float t) {
    auto channel = [&](int shift) {
        const float from = static_cast<float>((a >> shift) & 0xFF);
        const float to = static_cast<float>((b >> shift) & 0xFF);
        return static_cast<ARGB>(from + (to - from) * t + 0.5f) << shift;
    };
    return (a & 0xFF000000) | channel(16) | channel(8) | channel(0);
}

} // namespace skingen::theme
