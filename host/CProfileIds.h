#pragma once
// The host's copies of the profile identifiers its profile list shows. An item keeps only
// the copy's address (as its data1); the copy lives here until the item lets it go, so none
// outlives the list and none is freed twice.
#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>

class CProfileIds {
public:
    // A new copy of id; its address is the item's value.
    INT_PTR Add(const wchar_t* id);
    // The identifier behind value, or null when value is not a live copy of this store.
    const wchar_t* Find(INT_PTR value) const;
    void Free(INT_PTR value);
    void Clear() { m_ids.clear(); }
    size_t Count() const { return m_ids.size(); }

private:
    std::unordered_map<INT_PTR, std::unique_ptr<std::wstring>> m_ids;
};
