#pragma once
// The ordered profile list. Order is stored order; look-ups by ID are exact and take the first
// match. Records keep their address while they are in the list, so a pointer to a record's ID
// stays valid until that record is removed.
#include "module/profiles/CProfileVireo.h"

#include <cstdint>
#include <list>
#include <optional>

class CProfileList {
public:
    using iterator = std::list<CProfileVireo>::iterator;
    using const_iterator = std::list<CProfileVireo>::const_iterator;

    std::size_t Count() const { return m_records.size(); }
    bool Empty() const { return m_records.empty(); }
    iterator begin() { return m_records.begin(); }
    iterator end() { return m_records.end(); }
    const_iterator begin() const { return m_records.begin(); }
    const_iterator end() const { return m_records.end(); }

    CProfileVireo* FindProfile(const std::wstring& id);
    const CProfileVireo* FindProfile(const std::wstring& id) const;
    std::optional<std::size_t> PositionOf(const std::wstring& id) const;
    // Null when position is past the end.
    CProfileVireo* At(std::size_t position);

    CProfileVireo& Append(const CProfileVireo& record);
    // Appends a copy of source under a new unique ID ("ID_PROFILE_<tick>") and the first free
    // name "<source name>(Copy<n>)".
    CProfileVireo& Copy(const CProfileVireo& source, std::uint32_t tick);
    // The first record with this ID; false when there is none.
    bool Remove(const std::wstring& id);
    bool Rename(const std::wstring& id, const std::wstring& name);
    // Gives each record whose ID is empty or repeats an earlier one's a new unique ID made
    // from tick, so every record can be reached by its ID; the first holder of an ID keeps
    // it. currentId goes on naming the record it named: an empty one follows the first
    // record that had an empty ID. No new ID equals currentId.
    void RenewRepeatedIds(std::wstring& currentId, std::uint32_t tick);
    void Clear() { m_records.clear(); }

private:
    bool HasName(const std::wstring& name) const;

    std::list<CProfileVireo> m_records;
};
