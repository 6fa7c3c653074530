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

void FillClient(HWND window, HDC dc, HBRUSH brush) {
    if (!brush)
        return;
    RECT client = {};
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
}

BOOL AnswerControlColour(HDC dc, HFONT font, COLORREF text, HBRUSH brush, LRESULT* result) {
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, font);
    SetTextColor(dc, text);
    if (!brush)
        return FALSE;
    *result = reinterpret_cast<LRESULT>(brush);
    return TRUE;
}

} // namespace skin
