#pragma once
// The six looks a skinned window is painted in, in the order the skin library indexes its
// picture lists, and the file suffix each look's picture carries.
namespace skingen {

enum class SkinLook { Normal, Disable, DisableSelected, Hover, HoverSelected, Selected };

inline bool IsDisabled(SkinLook look) {
    return look == SkinLook::Disable || look == SkinLook::DisableSelected;
}

inline bool IsHover(SkinLook look) {
    return look == SkinLook::Hover || look == SkinLook::HoverSelected;
}

inline bool IsSelected(SkinLook look) {
    return look == SkinLook::Selected || look == SkinLook::HoverSelected ||
           look == SkinLook::DisableSelected;
}

// Controls that have no checked look (push buttons, fields, combos) show their plain look
// in the checked pictures.
inline SkinLook WithoutSelection(SkinLook look) {
    if (IsDisabled(look))
        return SkinLook::Disable;
    return IsHover(look) ? SkinLook::Hover : SkinLook::Normal;
}

} // namespace skingen
