#include "tools/gallery/GalleryLayout.h"

namespace gallery {
namespace {

RECT At(int x, int y, int w, int h) {
    return RECT{x, y, x + w, y + h};
}

std::vector<Slot> MakeSlots() {
    std::vector<Slot> slots;
    const wchar_t* buttonStates[] = {L"Normal", L"Disabled", L"Hover", L"Pressed"};
    for (int i = 0; i < 4; ++i)
        slots.push_back({Kind::Button, At(20 + i * 130, 50, 120, 32), buttonStates[i], i});
    for (int i = 0; i < 4; ++i)
        slots.push_back({Kind::StripButton, At(560 + i * 40, 54, 24, 24), L"", i});
    const wchar_t* checkStates[] = {L"Off",      L"On",       L"Hover",
                                    L"Hover on", L"Disabled", L"Disabled on"};
    for (int i = 0; i < 6; ++i)
        slots.push_back({Kind::CheckBox, At(20 + i * 130, 120, 120, 24), checkStates[i], i});
    for (int i = 0; i < 6; ++i)
        slots.push_back({Kind::RadioBox, At(20 + i * 130, 170, 120, 24), checkStates[i], i});
    slots.push_back({Kind::Static, At(20, 230, 200, 20), L"Label", 0});
    slots.push_back({Kind::Static, At(240, 230, 200, 20), L"Disabled label", 1});
    slots.push_back({Kind::Timer, At(460, 230, 120, 20), L"00:00:00", 0});
    slots.push_back({Kind::ColorBar, At(20, 290, 560, 18), L"", 0});
    for (int i = 0; i < 5; ++i)
        slots.push_back({Kind::Indicator, At(20 + i * 70, 330, 60, 24), L"", i});
    slots.push_back({Kind::Slider, At(40, 400, 360, 20), L"", 0});
    slots.push_back({Kind::Slider, At(440, 400, 360, 20), L"", 1});
    slots.push_back({Kind::List, At(20, 460, 180, 170), L"", 0});
    slots.push_back({Kind::Combo, At(220, 460, 160, 24), L"", 0});
    slots.push_back({Kind::Combo, At(400, 460, 160, 24), L"", 1});
    slots.push_back({Kind::Edit, At(220, 540, 160, 90), L"", 0});
    slots.push_back({Kind::EditList, At(400, 610, 400, 150), L"", 0});
    return slots;
}

} // namespace

const std::vector<Slot>& Slots() {
    static const std::vector<Slot> slots = MakeSlots();
    return slots;
}

} // namespace gallery
