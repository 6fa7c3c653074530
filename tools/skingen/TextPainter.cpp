#include "tools/skingen/TextPainter.h"

#include "tools/skingen/Canvas.h"

#include "framework/DeviceContext.h"
#include "framework/Handle.h"

namespace skingen {

void TextPainter::Draw(Canvas& canvas, const std::wstring& text, const Gdiplus::Rect& box,
                       int pixelHeight, Gdiplus::ARGB colour, UINT format, bool bold) {
    canvas.Flush();
    fw::UniqueFont font(CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                    FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    if (!font)
        return;
    HDC dc = canvas.Dc();
    fw::SelectedObject selection(dc, font.get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour =
        SetTextColor(dc, RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
    RECT r = {box.X, box.Y, box.X + box.Width, box.Y + box.Height};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              format | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    GdiFlush();
}

} // namespace skingen
