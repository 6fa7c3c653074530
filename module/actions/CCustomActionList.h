#pragma once
// The ordered list of all custom actions, stored under "CustomActions" as "Count" and one
// "CustomAction<index>" key per action. Order is stored order. Look-ups by identifier are
// exact and take the first match. Actions keep their address while they are in the list.
#include "module/actions/CCustomAction.h"
#include "module/actions/IActionQueue.h"
#include "platform/IKeyValueStore.h"
#include "platform/StoreImage.h"

#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CCustomActionList {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    using iterator = std::list<CCustomAction>::iterator;
    using const_iterator = std::list<CCustomAction>::const_iterator;

    std::size_t Count() const { return m_actions.size(); }
    iterator begin() { return m_actions.begin(); }
    iterator end() { return m_actions.end(); }
    const_iterator begin() const { return m_actions.begin(); }
    const_iterator end() const { return m_actions.end(); }

    // Position of the first action with this identifier, or npos.
    std::size_t FindAction(const std::wstring& nameId) const;
    CCustomAction* Find(const std::wstring& nameId);
    // Null when position is past the end.
    CCustomAction* At(std::size_t position);

    // Appends a new action of this kind named "<kind name>(<count before>)" under a new
    // unique "ID_ACTION_<tick>"; returns its identifier, valid while the action exists.
    const std::wstring& CreateAction(std::uint32_t kind, std::uint32_t tick);
    CCustomAction& AppendAction(const CCustomAction& action);
    CCustomAction& InsertAction(std::size_t position, const CCustomAction& action);
    // No effect when the identifier is not in the list.
    void RemoveAction(const std::wstring& nameId);
    void Clear() { m_actions.clear(); }

    // Replaces the list by the stored one; a null root (no store) leaves it empty. Actions
    // without a name are dropped; one whose name cannot be read is named as a new action of
    // its kind would be. An identifier that is empty or repeats an earlier one's is replaced
    // by a new unique one made from tick, so every action can be found; the next save stores
    // it.
    void LoadAll(platform::IKeyValueStore* root, std::uint32_t tick);
    // Writes the list in order into slots 0..n-1; slots above n stay and are never read. Only
    // values that differ from the store are written: what the list last loaded from or saved
    // to this root is taken as what the store holds, unless its count shows that something
    // else changed it. The store ends as if every value had been written.
    void SaveAll(platform::IKeyValueStore* root) const;

    // Hands a copy of the action to the queue that runs it; nothing for unknown identifiers
    // and the buttons' own functions.
    void RunAction(const std::wstring& nameId, IActionQueue& queue) const;

private:
    void RenewRepeatedIds(std::uint32_t tick);
    // Marks each slot whose stored values are those its action saves.
    void NoteSlotsStoredAsLoaded();

    // What the store held after the last load or save; copies of the list share it.
    struct Stored {
        // The store it describes.
        const platform::IKeyValueStore* root = nullptr;
        platform::StoreImage image;
        // Per slot, an action the slot is known to hold exactly as Save writes it.
        std::vector<std::optional<CCustomAction>> slots;
    };

    std::list<CCustomAction> m_actions;
    mutable std::shared_ptr<Stored> m_stored;
};
