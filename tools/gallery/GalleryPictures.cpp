#include "tools/gallery/GalleryPictures.h"

#include "framework/Picture.h"
#include "skin/SkinState.h"
#include "tools/gallery/GalleryLayout.h"
#include "tools/gallery/ImageEncoders.h"

namespace gallery {
namespace {

struct StateLook {
    const wchar_t* suffix;
    Gdiplus::ARGB face;
    Gdiplus::ARGB edge;
    bool ticked;
};

// Normal, Disable, DisableSelected, Hover, HoverSelected, Selected.
const StateLook kLooks[kSkinStateCount] = {
    {L"Normal", 0xFF2A333F, 0xFF3F4B5A, false},         {L"Disable", 0xFF1B1F25, 0xFF262C33, false},
    {L"DisableSelected", 0xFF1B2530, 0xFF2A3A4A, true}, {L"Hover", 0xFF3A4757, 0xFF5C86AA, false},
    {L"HoverSelected", 0xFF1F5F8F, 0xFF7CC6F7, true},   {L"Selected", 0xFF1B4F78, 0xFF2EA3F2, true},
};

void PaintSlot(Gdiplus::Graphics& g, const Slot& slot, const StateLook& look) {
    const RECT& r = slot.rect;
    Gdiplus::SolidBrush face{Gdiplus::Color(look.face)};
    Gdiplus::Pen edge(Gdiplus::Color(look.edge), 1.0f);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    switch (slot.kind) {
    case Kind::CheckBox:
    case Kind::RadioBox: {
        // A box (or ring) on the left; the tick lives in the picture.
        Gdiplus::Rect box(r.left + 2, r.top + (h - 14) / 2, 14, 14);
        if (slot.kind == Kind::CheckBox) {
            g.FillRectangle(&face, box);
            g.DrawRectangle(&edge, box);
        } else {
            g.FillEllipse(&face, box);
            g.DrawEllipse(&edge, box);
        }
        if (look.ticked) {
            Gdiplus::Pen tick(Gdiplus::Color(0xFFCFE9FC), 2.0f);
            if (slot.kind == Kind::CheckBox) {
                g.DrawLine(&tick, box.X + 3, box.Y + 7, box.X + 6, box.Y + 10);
                g.DrawLine(&tick, box.X + 6, box.Y + 10, box.X + 11, box.Y + 3);
            } else {
                Gdiplus::SolidBrush dot{Gdiplus::Color(0xFFCFE9FC)};
                g.FillEllipse(&dot, box.X + 4, box.Y + 4, 6, 6);
            }
        }
        break;
    }
    case Kind::Slider: {
        Gdiplus::SolidBrush track{Gdiplus::Color(0xFF0E1217)};
        g.FillRectangle(&track, r.left, r.top + h / 2 - 2, w, 4);
        Gdiplus::SolidBrush fill{Gdiplus::Color(look.edge)};
        g.FillRectangle(&fill, r.left, r.top + h / 2 - 1, w, 2);
        break;
    }
    case Kind::Static:
    case Kind::Timer:
    case Kind::ColorBar:
        break; // text only on the window's own surface
    default:
        g.FillRectangle(&face, r.left, r.top, w, h);
        g.DrawRectangle(&edge, r.left, r.top, w - 1, h - 1);
        break;
    }
}

} // namespace

bool WriteStatePictures(const std::wstring& folder) {
    CLSID bmp;
    if (!FindEncoder(L"image/bmp", &bmp))
        return false;
    for (int state = 0; state < kSkinStateCount; ++state) {
        Gdiplus::Bitmap picture(kWidth, kHeight, PixelFormat24bppRGB);
        Gdiplus::Graphics g(&picture);
        Gdiplus::LinearGradientBrush back(Gdiplus::Rect(0, 0, kWidth, kHeight),
                                          Gdiplus::Color(0xFF1D242E), Gdiplus::Color(0xFF12161C),
                                          Gdiplus::LinearGradientModeVertical);
        g.FillRectangle(&back, 0, 0, kWidth, kHeight);
        Gdiplus::Pen border(Gdiplus::Color(0xFF2E3744), 1.0f);
        g.DrawRectangle(&border, 0, 0, kWidth - 1, kHeight - 1);
        for (const Slot& slot : Slots())
            PaintSlot(g, slot, kLooks[state]);
        std::wstring path = folder + L"\\Gallery_" + kLooks[state].suffix + L".bmp";
        if (picture.Save(path.c_str(), &bmp, nullptr) != Gdiplus::Ok)
            return false;
    }
    return true;
}

} // namespace gallery
