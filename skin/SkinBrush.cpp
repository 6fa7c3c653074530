#include "skin/SkinBrush.h"

#include <utility>

namespace skin {

fw::UniqueBrush MakePatternBrush(const Picture& picture) {
    fw::UniqueBitmap bitmap(fw::CreateGdiBitmap(picture));
    return fw::UniqueBrush(bitmap ? CreatePatternBrush(bitmap.get()) : nullptr);
}

void RebuildBrush(fw::UniqueBrush& brush, const Picture& picture) {
    fw::UniqueBrush made = MakePatternBrush(picture);
    if (made)
        brush = std::move(made);
}

} // namespace skin
