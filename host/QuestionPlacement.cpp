#include "host/QuestionPlacement.h"

#include <algorithm>

namespace {
constexpr int kWidth = 402;
constexpr int kHeight = 137;
} // namespace

POINT QuestionPosition(POINT cursor, const RECT& workArea) {
    int x = std::min(static_cast<int>(workArea.right) - kWidth,
                     static_cast<int>(cursor.x) - kWidth / 2);
    // A cursor near the left edge (or on a monitor left of the primary) would put the box
    // partly off its monitor.
    x = std::max(x, static_cast<int>(workArea.left));
    int y = std::max(static_cast<int>(workArea.bottom) - kHeight, static_cast<int>(workArea.top));
    return POINT{x, y};
}

POINT QuestionPositionAt(POINT cursor) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    if (!monitor || !GetMonitorInfoW(monitor, &info))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return QuestionPosition(cursor, info.rcWork);
}
