#pragma once
// Whether the texts of skinned controls fit them at the font each control draws with.
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace text_fit {

// A text that does not fit its control: what it needs against what the control offers
// (widths in pixels; for wrapped texts the heights).
struct Misfit {
    int controlId;
    std::wstring text;
    float needed;
    float available;
    const char* measure; // "width", "wrapped height" or "field width"
};

std::ostream& operator<<(std::ostream& out, const Misfit& misfit);

// Width of text in one line, as GDI+ lays it out for drawing.
float LineWidth(HDC dc, const std::wstring& face, float sizePx, const std::wstring& text);
// Height of text wrapped into width.
float WrappedHeight(HDC dc, const std::wstring& face, float sizePx, const std::wstring& text,
                    float width);

// Measures every skinned control of this program below root (controls of other modules are
// not in this program's window map and are left out): labels, buttons, check and radio
// boxes against their width less the text indent; statics tall enough for two lines wrapped
// against their height; each entry of a combo box against its selection field.
std::vector<Misfit> Misfits(HWND root);

// Measures one more text (a caption a control takes in another state) as control would
// show it.
void MeasureAs(HWND control, const std::wstring& text, std::vector<Misfit>& misfits);

} // namespace text_fit
