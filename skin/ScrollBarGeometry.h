#pragma once
// Where the five parts of a skinned scroll bar lie for a length, arrow size, thickness and
// scroll state, which part a point hits, and where a thumb drag lands.
#include <windows.h>

namespace skin {

// Parts carry the system's scroll codes.
enum ScrollPart {
    PartNone = -1,
    PartArrow1 = SB_LINEUP,
    PartArrow2 = SB_LINEDOWN,
    PartPageUp = SB_PAGEUP,
    PartPageDown = SB_PAGEDOWN,
    PartThumb = SB_THUMBTRACK,
};

struct ScrollBarGeometry {
    RECT arrow1 = {};
    RECT pageUp = {};
    RECT thumb = {};
    RECT pageDown = {};
    RECT arrow2 = {};

    // length along the axis, arrow = length of one arrow, thickness across.
    static ScrollBarGeometry Compute(int length, int arrow, int thickness, const SCROLLINFO& si,
                                     bool vertical);

    ScrollPart HitTest(POINT point) const;
    const RECT& PartRect(ScrollPart part) const;
};

// Scroll position for a thumb dragged by delta pixels from where it held startPos, clamped
// to nMin .. nMax - nPage + 1.
int DragPosition(int length, int arrow, const SCROLLINFO& si, int delta, int startPos);

} // namespace skin
