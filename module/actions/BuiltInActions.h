#pragma once
// The five entries that name each button's own function. They belong in every store; the
// module adds the missing ones in memory (the next save writes them) and never lists them as
// custom actions.
#include "module/actions/CCustomActionList.h"

#include <array>
#include <cstdint>

struct BuiltInAction {
    const wchar_t* nameId;
    std::uint32_t kind;
    // Shown when the language has no text for nameId.
    const wchar_t* name;
};

// In profile button order: left, middle, right, button 4, button 5.
extern const std::array<BuiltInAction, 5> kBuiltInActions;

bool IsBuiltInAction(const std::wstring& nameId);

// Puts each missing entry at the front, in button order, ahead of the custom actions.
// Returns how many were added.
std::size_t AddMissingBuiltInActions(CCustomActionList& actions);
