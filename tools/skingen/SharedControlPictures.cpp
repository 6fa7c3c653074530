#include "tools/skingen/SharedControlPictures.h"

#include "tools/skingen/Canvas.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/PictureFolder.h"
#include "tools/skingen/Shapes.h"
#include "tools/skingen/Theme.h"

namespace skingen {
namespace {

using namespace theme;

// Row of a list under the pointer; the item buttons and row symbols appear on it.
constexpr ARGB kHotRow = 0xFF1E2A36;

constexpr int kListWidth = 200;
constexpr int kItemHeight = 24;

// Seven frames stacked: normal, disabled, selected+disabled, pointed at, selected+pointed
// at, selected, list background. Row text starts at the left edge and may run to the right
// one, so every pixel of a row, its ring included, keeps the row's text colour readable.
void PaintListRows(Canvas& canvas) {
    Gdiplus::Graphics& g = canvas.Graphics();
    auto frame = [&](int i) {
        return Gdiplus::RectF(0, static_cast<float>(i * kItemHeight), kListWidth, kItemHeight);
    };
    auto separator = [&](int i, ARGB colour) {
        const float y = (i + 1) * kItemHeight - 0.5f;
        shapes::Line(g, 4, y, kListWidth - 4.0f, y, colour, 1.0f);
    };
    shapes::FillRect(g, frame(0), kWell);
    separator(0, 0xFF171D24);
    shapes::FillRect(g, frame(1), kWellDisabled);
    separator(1, 0xFF1A1F25);
    // Grey text on it: darker than the disabled row, and too dark for any ring.
    shapes::FillRect(g, frame(2), 0xFF0F1216);
    shapes::FillRect(g, frame(3), kHotRow);
    separator(3, 0xFF2A3848);
    // Pink text: a deep accent behind it, ringed in a shade still dark enough for it.
    shapes::FillRounded(g, frame(4), 0, Mix(kAccentDeep, 0xFFFFFFFF, 0.06f), kAccentDeep);
    shapes::OutlineRounded(g, frame(4), 2, 0xFF225A86);
    // Blue text: the only pale row of the theme, ringed in a paler accent.
    shapes::FillRounded(g, frame(5), 0, 0xFFE2F2FE, kAccentPale);
    shapes::OutlineRounded(g, frame(5), 2, 0xFF9FD3F8);
    shapes::FillRect(g, frame(6), kWell);
}

// Scroll bar: 4 x 4 cells drawn for a vertical bar. Columns: first arrow, second arrow,
// thumb, track; rows: normal, disabled, pointed at, pressed. The track cell is stretched
// and the thumb's 4-pixel caps are kept, so both are uniform along the bar in between.
constexpr int kBarThickness = 14;
constexpr int kArrowLength = 16;

struct BarColours {
    ARGB track;
    ARGB face;
    ARGB glyph;
};

const BarColours kBarRows[4] = {
    {0xFF12171D, 0xFF2C3641, kGlyph},
    {0xFF111418, 0xFF1C2127, kGlyphDisabled},
    {0xFF161D25, 0xFF445365, 0xFFFFFFFF},
    {0xFF14202C, kAccent, 0xFFFFFFFF},
};

void PaintScrollBar(Canvas& canvas) {
    Gdiplus::Graphics& g = canvas.Graphics();
    for (int row = 0; row < 4; ++row) {
        const BarColours& c = kBarRows[row];
        for (int column = 0; column < 4; ++column) {
            const Gdiplus::RectF cell(static_cast<float>(column * kBarThickness),
                                      static_cast<float>(row * kArrowLength), kBarThickness,
                                      kArrowLength);
            shapes::FillRect(g, cell, c.track);
            if (column < 2) {
                const Gdiplus::RectF face(cell.X + 1, cell.Y + 1, cell.Width - 2, cell.Height - 2);
                shapes::FillRounded(g, face, 3, c.face, c.face);
                glyphs::Arrow(
                    g, Gdiplus::RectF(face.X + 1, face.Y + 2, face.Width - 2, face.Width - 2),
                    column == 0 ? glyphs::Direction::Up : glyphs::Direction::Down, c.glyph);
            } else if (column == 2) {
                shapes::FillRounded(g,
                                    Gdiplus::RectF(cell.X + 2, cell.Y, cell.Width - 4, cell.Height),
                                    4, c.face, c.face);
            } else {
                const float x = cell.X + kBarThickness / 2.0f;
                shapes::FillRect(g, Gdiplus::RectF(x - 1, cell.Y, 2, cell.Height),
                                 Mix(c.track, 0xFFFFFFFF, 0.06f));
            }
        }
    }
}

// Item buttons of the editable list: 4 x 4 cells; columns edit, delete, move up, move
// down; rows normal, disabled, pointed at, pressed.
constexpr int kItemButton = 18;

void PaintItemButtons(Canvas& canvas) {
    Gdiplus::Graphics& g = canvas.Graphics();
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const Gdiplus::RectF cell(static_cast<float>(column * kItemButton),
                                      static_cast<float>(row * kItemButton), kItemButton,
                                      kItemButton);
            shapes::FillRect(g, cell, kHotRow);
            ARGB glyph = kGlyph;
            switch (row) {
            case 0:
                shapes::FillRounded(g, cell, 4, kFaceTop, kFaceBottom);
                shapes::OutlineRounded(g, cell, 4, kFaceBorder);
                break;
            case 1:
                shapes::FillRounded(g, cell, 4, kFaceDisabled, kFaceDisabled);
                shapes::OutlineRounded(g, cell, 4, kRingDisabled);
                glyph = kGlyphDisabled;
                break;
            case 2:
                shapes::FillRounded(g, cell, 4, kFaceHoverTop, kFaceHoverBottom);
                shapes::OutlineRounded(g, cell, 4, kRingHover);
                glyph = 0xFFFFFFFF;
                break;
            default:
                shapes::FillRounded(g, cell, 4, kAccentDeep, kAccentDeep);
                shapes::OutlineRounded(g, cell, 4, kAccent);
                glyph = 0xFFFFFFFF;
                break;
            }
            const Gdiplus::RectF box(cell.X + 3, cell.Y + 3, cell.Width - 6, cell.Height - 6);
            if (column == 0)
                glyphs::Pencil(g, box, glyph);
            else if (column == 1)
                glyphs::Cross(g, box, row == 0 ? 0xFFE8827E : glyph, 2.0f);
            else
                glyphs::Arrow(g, box, column == 2 ? glyphs::Direction::Up : glyphs::Direction::Down,
                              glyph);
        }
    }
}

// Row symbols of the macro list: 3 x 3 cells; columns key pressed, delay, key released;
// rows normal, list disabled, row under the pointer.
constexpr int kRowSymbol = 16;

void PaintRowSymbols(Canvas& canvas) {
    Gdiplus::Graphics& g = canvas.Graphics();
    const ARGB rowBack[3] = {kWell, kWellDisabled, kHotRow};
    const ARGB chip[3] = {kAccentDeep, 0xFF5A4A1E, 0xFF2E3A48};
    const ARGB mark[3] = {kAccentLight, 0xFFF2C14E, kGlyph};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const Gdiplus::RectF cell(static_cast<float>(column * kRowSymbol),
                                      static_cast<float>(row * kRowSymbol), kRowSymbol, kRowSymbol);
            shapes::FillRect(g, cell, rowBack[row]);
            ARGB fill = chip[column], symbol = mark[column];
            if (row == 1) {
                fill = Mix(fill, kWellDisabled, 0.6f);
                symbol = Mix(symbol, kWellDisabled, 0.55f);
            } else if (row == 2) {
                fill = Mix(fill, 0xFFFFFFFF, 0.15f);
                symbol = Mix(symbol, 0xFFFFFFFF, 0.3f);
            }
            const Gdiplus::RectF inner(cell.X + 1, cell.Y + 1, cell.Width - 2, cell.Height - 2);
            shapes::FillRounded(g, inner, 3, fill, fill);
            if (column == 1) {
                glyphs::Clock(g, inner, symbol);
            } else {
                // A key cap with the direction of the stroke.
                const Gdiplus::RectF cap(inner.X + 2, inner.Y + 2, inner.Width - 4,
                                         inner.Height - 4);
                shapes::OutlineRounded(g, cap, 2, symbol, 1.0f);
                glyphs::Arrow(
                    g, Gdiplus::RectF(cap.X + 1, cap.Y + 1, cap.Width - 2, cap.Height - 2),
                    column == 0 ? glyphs::Direction::Down : glyphs::Direction::Up, symbol);
            }
        }
    }
}

// Slider thumb: four frames stacked (normal, disabled, pointed at, dragged), drawn over
// the page colour it moves on.
constexpr int kThumbWidth = 16;
constexpr int kThumbHeight = 24;

void PaintSliderThumb(Canvas& canvas) {
    Gdiplus::Graphics& g = canvas.Graphics();
    struct ThumbLook {
        ARGB top, bottom, outline, grip;
    };
    const ThumbLook looks[4] = {
        {0xFFD5DEE7, 0xFF8E9AA8, 0xFF0C0F13, kAccent},
        {0xFF3A424C, 0xFF2C333B, 0xFF20262D, kGlyphDisabled},
        {0xFFF2F7FB, 0xFFAEBBCA, kAccentLight, kAccent},
        {kAccentLight, kAccent, 0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (int i = 0; i < 4; ++i) {
        const float top = static_cast<float>(i * kThumbHeight);
        shapes::FillRect(g, Gdiplus::RectF(0, top, kThumbWidth, kThumbHeight), kPanel);
        const Gdiplus::RectF body(1, top + 1, kThumbWidth - 2, kThumbHeight - 2);
        shapes::FillRounded(g, body, 4, looks[i].top, looks[i].bottom);
        shapes::OutlineRounded(g, body, 4, looks[i].outline);
        shapes::Line(g, kThumbWidth / 2.0f, top + 6, kThumbWidth / 2.0f, top + kThumbHeight - 6,
                     looks[i].grip, 2.0f);
    }
}

// Margin of a combo box's drop-down list: stretched over the list's frame, of which only a
// 1-pixel ring stays visible.
void PaintDropListMargin(Canvas& canvas) {
    Gdiplus::Graphics& g = canvas.Graphics();
    const float side = static_cast<float>(canvas.Width());
    shapes::FillRect(g, Gdiplus::RectF(0, 0, side, side), 0xFF3E6E94);
    shapes::FillRect(g, Gdiplus::RectF(3, 3, side - 6, side - 6), kWell);
}

} // namespace

void WriteSharedControlPictures(PictureFolder& folder) {
    folder.Write(L"listback.bmp", kListWidth, kItemHeight * 7, PaintListRows);
    folder.Write(L"scrollbar.bmp", kBarThickness * 4, kArrowLength * 4, PaintScrollBar);
    folder.Write(L"MacroButton.bmp", kItemButton * 4, kItemButton * 4, PaintItemButtons);
    folder.Write(L"MacroIndicator.bmp", kRowSymbol * 3, kRowSymbol * 3, PaintRowSymbols);
    folder.Write(L"SliderThumb.bmp", kThumbWidth, kThumbHeight * 4, PaintSliderThumb);
    folder.Write(L"ComboList_Nomal.bmp", 100, 100, PaintDropListMargin);
}

} // namespace skingen
