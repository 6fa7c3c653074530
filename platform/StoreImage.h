#pragma once
// What a store is known to hold below one key: the values read from it or written to it
// through ImageKeyValueStore, so that writing the same bytes again needs no call to it.
// Names are compared as spelled: every writer spells its names one way.
#include "platform/StoredValue.h"

#include <map>
#include <memory>
#include <string>

namespace platform {

struct StoreImage {
    std::map<std::wstring, StoredValue> values;
    std::map<std::wstring, std::unique_ptr<StoreImage>> keys;

    // The image of a subkey, made empty when missing.
    StoreImage& Key(const std::wstring& name);
    // The known value, or null when it is not known.
    const StoredValue* Find(const std::wstring& name) const;
};

} // namespace platform
