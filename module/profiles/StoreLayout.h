#pragma once
// Conventions shared by every record list of the module store: numbered slot keys
// ("Profile3", "CustomAction0") below a list key, and texts read through a 260-unit buffer.
#include "platform/IKeyValueStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Longest text a record keeps: the buffer holds 260 units with the terminator.
constexpr std::size_t kMaxStoredTextLength = 259;

// "<prefix><index>", e.g. "Profile3".
std::wstring SlotKeyName(const wchar_t* prefix, std::size_t index);

// Indexes below `count` whose slot key exists under `list`, ascending. Without a count (missing
// or damaged) every slot key there counts. Costs one pass over the subkeys, however large
// the stored count is.
std::vector<std::size_t> ExistingSlots(platform::IKeyValueStore& list, const wchar_t* prefix,
                                       std::optional<std::uint32_t> count);

// A stored text, empty when missing or damaged; a longer one is cut to kMaxStoredTextLength.
std::wstring ReadStoredText(platform::IKeyValueStore& key, const wchar_t* name);
