#pragma once
// Where each control of the gallery sits, shared by the picture painter and the dialog.
#include <windows.h>

#include <vector>

namespace gallery {

constexpr int kWidth = 820;
constexpr int kHeight = 780;

enum class Kind {
    Button,
    StripButton,
    CheckBox,
    RadioBox,
    Static,
    ColorBar,
    Indicator,
    Timer,
    Slider,
    List,
    Combo,
    Edit,
    EditList,
};

struct Slot {
    Kind kind;
    RECT rect;
    const wchar_t* text;
    int variant; // which state the slot shows (see GalleryDialog)
};

const std::vector<Slot>& Slots();

} // namespace gallery
