#pragma once
// Draws the part of a window picture that a skinned control cuts out for itself, in one
// look. A control shows exactly its own rectangle of the picture, so everything that marks
// its state (the check mark, the drop arrow, a lit outline) is drawn inside that rectangle;
// fields and lists also get a ring just outside it, where their scroll frame's margin is.
#include "tools/skingen/SkinLook.h"

#include <windows.h>

#include <gdiplus.h>

namespace skingen {

class Canvas;

class ControlPainter {
public:
    explicit ControlPainter(Canvas& canvas);

    void PushButton(const Gdiplus::Rect& r, SkinLook look);
    // Box at the left, vertically centred, inside the text indent of 20 or more pixels.
    void CheckBox(const Gdiplus::Rect& r, SkinLook look);
    // A round marker on a button of the drawn mouse.
    void HotSpot(const Gdiplus::Rect& r, SkinLook look);
    // Closed combo box with its drop button of the given width at the right.
    void ComboFace(const Gdiplus::Rect& r, int buttonWidth, SkinLook look);
    // Edit field or list: a well filling the control with a ring 2 pixels outside it.
    void Field(const Gdiplus::Rect& r, SkinLook look);
    void Tab(const Gdiplus::Rect& r, SkinLook look);
    // Frame of a colour swatch: only its 4-pixel border stays visible around the swatch.
    void SwatchFrame(const Gdiplus::Rect& r, SkinLook look);
    // Dark display panel behind a large read-out (the elapsed-time clock).
    void Display(const Gdiplus::Rect& r, SkinLook look);

private:
    Gdiplus::Graphics& m_g;
};

} // namespace skingen
