#include "module/profiles/CProfileList.h"

#include "module/profiles/UniqueIdentifier.h"

#include <algorithm>
#include <iterator>
#include <set>

CProfileVireo* CProfileList::FindProfile(const std::wstring& id) {
    auto it = std::find_if(m_records.begin(), m_records.end(),
                           [&](const CProfileVireo& record) { return record.m_id == id; });
    return it == m_records.end() ? nullptr : &*it;
}

const CProfileVireo* CProfileList::FindProfile(const std::wstring& id) const {
    return const_cast<CProfileList*>(this)->FindProfile(id);
}

std::optional<std::size_t> CProfileList::PositionOf(const std::wstring& id) const {
    std::size_t position = 0;
    for (const CProfileVireo& record : m_records) {
        if (record.m_id == id)
            return position;
        ++position;
    }
    return std::nullopt;
}

CProfileVireo* CProfileList::At(std::size_t position) {
    if (position >= m_records.size())
        return nullptr;
    return &*std::next(m_records.begin(), static_cast<std::ptrdiff_t>(position));
}

CProfileVireo& CProfileList::Append(const CProfileVireo& record) {
    m_records.push_back(record);
    return m_records.back();
}

CProfileVireo& CProfileList::Copy(const CProfileVireo& source, std::uint32_t tick) {
    CProfileVireo copy(source);
    copy.m_id = MakeUniqueIdentifier(L"ID_PROFILE_", tick,
                                     [this](const std::wstring& id) { return FindProfile(id); });
    for (unsigned n = 1;; ++n) {
        std::wstring name = source.m_name + L"(Copy" + std::to_wstring(n) + L")";
        if (!HasName(name)) {
            copy.m_name = std::move(name);
            break;
        }
    }
    return Append(copy);
}

bool CProfileList::Remove(const std::wstring& id) {
    auto it = std::find_if(m_records.begin(), m_records.end(),
                           [&](const CProfileVireo& record) { return record.m_id == id; });
    if (it == m_records.end())
        return false;
    m_records.erase(it);
    return true;
}

bool CProfileList::Rename(const std::wstring& id, const std::wstring& name) {
    CProfileVireo* record = FindProfile(id);
    if (!record)
        return false;
    record->m_name = name;
    return true;
}

void CProfileList::RenewRepeatedIds(std::wstring& currentId, std::uint32_t tick) {
    std::set<std::wstring> seen;
    bool currentFollowed = false;
    for (CProfileVireo& record : m_records) {
        if (!record.m_id.empty() && seen.insert(record.m_id).second)
            continue;
        const bool wasEmpty = record.m_id.empty();
        // The current ID may name no record yet; a new ID equal to it would make this one
        // current by chance.
        record.m_id = MakeUniqueIdentifier(L"ID_PROFILE_", tick, [&](const std::wstring& id) {
            return id == currentId || FindProfile(id) != nullptr;
        });
        seen.insert(record.m_id);
        if (wasEmpty && currentId.empty() && !currentFollowed) {
            currentId = record.m_id;
            currentFollowed = true;
        }
    }
}

bool CProfileList::HasName(const std::wstring& name) const {
    return std::any_of(m_records.begin(), m_records.end(),
                       [&](const CProfileVireo& record) { return record.m_name == name; });
}
