#include "module/actions/CCustomActionList.h"

#include "language/CMultiLanguage.h"
#include "module/profiles/StoreLayout.h"
#include "module/profiles/UniqueIdentifier.h"
#include "platform/ImageKeyValueStore.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace {

const wchar_t kListKey[] = L"CustomActions";
const wchar_t kSlotPrefix[] = L"CustomAction";

// Kinds without a name of their own (a button's own function, or a kind the system never
// writes, which leaves the macro context active) take the keypress macro's.
std::wstring KindName(std::uint32_t kind) {
    const wchar_t* key = L"IDC_COMBO_ACTION_TYPE_KEYPRESS_MACRO";
    const wchar_t* fallback = L"Keypress Macro";
    switch (kind) {
    case CCustomAction::kTextMacro:
        key = L"IDC_COMBO_ACTION_TYPE_TEXT_MACRO";
        fallback = L"Text Macro";
        break;
    case CCustomAction::kLaunchApplication:
        key = L"IDC_COMBO_ACTION_TYPE_LAUNCH_APPLICATION";
        fallback = L"Launch App";
        break;
    default:
        break;
    }
    const wchar_t* text = CMultiLanguage::GetText(key);
    return text ? text : fallback;
}

// "<kind name>(<actions listed before it>)".
std::wstring NewActionName(std::uint32_t kind, std::size_t before) {
    return KindName(kind) + L"(" + std::to_wstring(before) + L")";
}

} // namespace

std::size_t CCustomActionList::FindAction(const std::wstring& nameId) const {
    auto it = std::find_if(m_actions.begin(), m_actions.end(),
                           [&](const CCustomAction& action) { return action.m_nameId == nameId; });
    return it == m_actions.end() ? npos
                                 : static_cast<std::size_t>(std::distance(m_actions.begin(), it));
}

CCustomAction* CCustomActionList::Find(const std::wstring& nameId) {
    auto it = std::find_if(m_actions.begin(), m_actions.end(),
                           [&](const CCustomAction& action) { return action.m_nameId == nameId; });
    return it == m_actions.end() ? nullptr : &*it;
}

CCustomAction* CCustomActionList::At(std::size_t position) {
    if (position >= m_actions.size())
        return nullptr;
    return &*std::next(m_actions.begin(), static_cast<std::ptrdiff_t>(position));
}

const std::wstring& CCustomActionList::CreateAction(std::uint32_t kind, std::uint32_t tick) {
    CCustomAction action;
    action.m_name = NewActionName(kind, m_actions.size());
    action.m_nameId = MakeUniqueIdentifier(
        L"ID_ACTION_", tick, [this](const std::wstring& id) { return FindAction(id) != npos; });
    action.m_descriptionId = action.m_nameId + L"_TIP";
    action.SetKind(kind);
    return AppendAction(action).m_nameId;
}

CCustomAction& CCustomActionList::AppendAction(const CCustomAction& action) {
    m_actions.push_back(action);
    return m_actions.back();
}

CCustomAction& CCustomActionList::InsertAction(std::size_t position, const CCustomAction& action) {
    auto where = std::next(m_actions.begin(),
                           static_cast<std::ptrdiff_t>(std::min(position, m_actions.size())));
    return *m_actions.insert(where, action);
}

void CCustomActionList::RemoveAction(const std::wstring& nameId) {
    auto it = std::find_if(m_actions.begin(), m_actions.end(),
                           [&](const CCustomAction& action) { return action.m_nameId == nameId; });
    if (it != m_actions.end())
        m_actions.erase(it);
}

void CCustomActionList::LoadAll(platform::IKeyValueStore* root, std::uint32_t tick) {
    m_actions.clear();
    m_stored = std::make_shared<Stored>();
    m_stored->root = root;
    if (!root)
        return;
    platform::ImageKeyValueStore store(*root, m_stored->image);
    auto list = store.OpenKey(kListKey);
    if (!list)
        return;
    for (std::size_t slot : ExistingSlots(*list, kSlotPrefix, list->ReadDword(L"Count"))) {
        CCustomAction action;
        if (!action.Load(*list, slot))
            continue;
        if (action.m_name.empty())
            action.m_name = NewActionName(action.Kind(), m_actions.size());
        m_actions.push_back(action);
    }
    RenewRepeatedIds(tick);
    NoteSlotsStoredAsLoaded();
}

void CCustomActionList::NoteSlotsStoredAsLoaded() {
    // An action stored with skipped slots, damaged values or a new identifier is saved to
    // another slot or with other values: saving it against what was read shows which.
    platform::ImageKeyValueStore image(m_stored->image.Key(kListKey));
    m_stored->slots.resize(m_actions.size());
    std::size_t slot = 0;
    for (const CCustomAction& action : m_actions) {
        const std::size_t failures = image.FailedWrites();
        action.Save(image, slot);
        if (image.FailedWrites() == failures)
            m_stored->slots[slot] = action;
        ++slot;
    }
}

void CCustomActionList::RenewRepeatedIds(std::uint32_t tick) {
    std::set<std::wstring> seen;
    for (CCustomAction& action : m_actions) {
        if (!action.m_nameId.empty() && seen.insert(action.m_nameId).second)
            continue; // the first holder of an identifier keeps it
        action.m_nameId = MakeUniqueIdentifier(
            L"ID_ACTION_", tick, [this](const std::wstring& id) { return FindAction(id) != npos; });
        seen.insert(action.m_nameId);
    }
}

void CCustomActionList::SaveAll(platform::IKeyValueStore* root) const {
    if (!root)
        return;
    if (!m_stored)
        m_stored = std::make_shared<Stored>();
    // One look at the stored count tells whether what is known can still be trusted.
    const platform::StoredValue* knownCount = m_stored->image.Key(kListKey).Find(L"Count");
    auto stored = root->OpenKey(kListKey);
    const auto count = stored ? stored->ReadValue(L"Count", sizeof(std::uint32_t)) : std::nullopt;
    stored.reset();
    if (m_stored->root != root || !knownCount || !count || *count != *knownCount) {
        *m_stored = Stored();
        m_stored->root = root;
    }

    platform::ImageKeyValueStore store(*root, m_stored->image);
    auto list = store.CreateKey(kListKey);
    list->WriteDword(L"Count", static_cast<std::uint32_t>(m_actions.size()));
    if (m_stored->slots.size() < m_actions.size())
        m_stored->slots.resize(m_actions.size());
    std::size_t slot = 0;
    for (const CCustomAction& action : m_actions) {
        std::optional<CCustomAction>& known = m_stored->slots[slot];
        if (!known || !known->SavesAs(action)) {
            const std::size_t failures = store.FailedWrites();
            action.Save(*list, slot);
            if (store.FailedWrites() == failures)
                known = action;
            else
                known.reset();
        }
        ++slot;
    }
}

void CCustomActionList::RunAction(const std::wstring& nameId, IActionQueue& queue) const {
    // A button without an assignment must not run a stored action that lacks an identifier.
    if (nameId.empty())
        return;
    auto it = std::find_if(m_actions.begin(), m_actions.end(),
                           [&](const CCustomAction& action) { return action.m_nameId == nameId; });
    if (it != m_actions.end() && it->ActiveContext())
        queue.Post(*it);
}
