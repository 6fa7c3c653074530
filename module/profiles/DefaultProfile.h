#pragma once
// The profile a module starts with when its store holds none: every button on and doing its
// own function, named by the language text "ID_PROFILE_DEFAULT_NAME" ("Default Profile").
#include "module/profiles/CProfileList.h"

#include <cstdint>
#include <string>

// The language's name for it, or the built-in English one.
std::wstring DefaultProfileName();

// When the list is empty: appends the default profile under a new ID and makes it current.
// Returns whether it did.
bool AddDefaultProfileIfEmpty(CProfileList& profiles, std::wstring& currentId, std::uint32_t tick);
