#include "module/profiles/StoreLayout.h"

#include <algorithm>
#include <cwctype>

namespace {

// Registry key names compare without regard to case.
bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::towlower(text[i]) != std::towlower(prefix[i]))
            return false;
    }
    return true;
}

// The index written by "%d" for a slot: decimal digits without leading zeros.
std::optional<std::uint64_t> ParseSlotIndex(const std::wstring& digits) {
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == L'0'))
        return std::nullopt;
    std::uint64_t index = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        index = index * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    return index;
}

} // namespace

std::wstring SlotKeyName(const wchar_t* prefix, std::size_t index) {
    return prefix + std::to_wstring(index);
}

std::vector<std::size_t> ExistingSlots(platform::IKeyValueStore& list, const wchar_t* prefix,
                                       std::optional<std::uint32_t> count) {
    const std::wstring start(prefix);
    std::vector<std::size_t> slots;
    for (const std::wstring& name : list.SubKeyNames()) {
        if (!StartsWithIgnoringCase(name, start))
            continue;
        const auto index = ParseSlotIndex(name.substr(start.size()));
        if (index && (!count || *index < *count))
            slots.push_back(static_cast<std::size_t>(*index));
    }
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    return slots;
}

std::wstring ReadStoredText(platform::IKeyValueStore& key, const wchar_t* name) {
    return key.ReadString(name, kMaxStoredTextLength).value_or(std::wstring());
}
