#include "host/DeviceKey.h"

#include <cwchar>

namespace {
constexpr size_t kPrefixChars = 8;
constexpr size_t kKeyChars = 17;
} // namespace

std::wstring DeviceKeyOf(int vendorId, int productId) {
    wchar_t key[32] = {};
    swprintf(key, sizeof(key) / sizeof(key[0]), L"vid_%04x&pid_%04x",
             static_cast<unsigned>(vendorId), static_cast<unsigned>(productId));
    return key;
}

std::wstring DeviceKeyOfPath(const wchar_t* path) {
    if (!path)
        return {};
    const size_t length = wcsnlen(path, kPrefixChars + kKeyChars);
    if (length <= kPrefixChars)
        return {};
    std::wstring key(path + kPrefixChars, length - kPrefixChars);
    // Paths differ in case between systems and interfaces; the pair is plain ASCII.
    for (wchar_t& c : key) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return key;
}
