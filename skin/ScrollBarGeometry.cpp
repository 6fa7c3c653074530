#include "skin/ScrollBarGeometry.h"

#include <algorithm>
#include <utility>

namespace skin {

namespace {
// Rectangles are laid out for a vertical bar; a horizontal one swaps x and y.
RECT Along(int from, int to, int thickness, bool vertical) {
    return vertical ? RECT{0, from, thickness, to} : RECT{from, 0, to, thickness};
}
} // namespace

ScrollBarGeometry ScrollBarGeometry::Compute(int length, int arrow, int thickness,
                                             const SCROLLINFO& si, bool vertical) {
    const int track = std::max(0, length - 2 * arrow);
    const long long range = static_cast<long long>(si.nMax) - si.nMin;
    const long long steps = range - static_cast<long long>(si.nPage) + 1;

    long long thumb = 0;
    if (track > 7 && steps != 0 && range + 1 != 0) {
        thumb = static_cast<long long>(si.nPage) * track / (range + 1);
        thumb = std::max<long long>(thumb, 8);
        thumb = std::min<long long>(thumb, track); // a page beyond the range fills the track
    }
    if (length - 2 * arrow <= 0)
        arrow = length / 2;

    long long offset = steps != 0 ? static_cast<long long>(si.nPos) * (track - thumb) / steps
                                  : (track - thumb) / 2;
    offset = std::max<long long>(0, std::min<long long>(offset, track - thumb));

    const int thumbTop = arrow + static_cast<int>(offset);
    const int thumbBottom = thumbTop + static_cast<int>(thumb);
    ScrollBarGeometry g;
    g.arrow1 = Along(0, arrow, thickness, vertical);
    g.pageUp = Along(arrow, thumbTop, thickness, vertical);
    g.thumb = Along(thumbTop, thumbBottom, thickness, vertical);
    g.pageDown = Along(thumbBottom, length - arrow, thickness, vertical);
    g.arrow2 = Along(length - arrow, length, thickness, vertical);
    return g;
}

ScrollPart ScrollBarGeometry::HitTest(POINT point) const {
    for (ScrollPart part : {PartArrow1, PartPageUp, PartThumb, PartPageDown, PartArrow2})
        if (PtInRect(&PartRect(part), point))
            return part;
    return PartNone;
}

const RECT& ScrollBarGeometry::PartRect(ScrollPart part) const {
    static const RECT none = {};
    switch (part) {
    case PartArrow1:
        return arrow1;
    case PartArrow2:
        return arrow2;
    case PartPageUp:
        return pageUp;
    case PartPageDown:
        return pageDown;
    case PartThumb:
        return thumb;
    default:
        return none;
    }
}

int DragPosition(int length, int arrow, const SCROLLINFO& si, int delta, int startPos) {
    const long long items = static_cast<long long>(si.nMax) - si.nMin + 1;
    const long long track = static_cast<long long>(length) - 2 * arrow;
    const long long usable =
        length - (2 * arrow + (items != 0 ? static_cast<long long>(si.nPage) * track / items : 0));
    const long long last = static_cast<long long>(si.nMax) - si.nPage - si.nMin + 1;
    long long pos = usable != 0 ? static_cast<long long>(delta) * last / usable : 0;
    pos += startPos;
    pos = std::min(pos, last);
    pos = std::max<long long>(pos, si.nMin);
    return static_cast<int>(pos);
}

} // namespace skin
