#include "module/profiles/ProfileStore.h"

#include "platform/ImageKeyValueStore.h"

namespace {
const wchar_t kListKey[] = L"Profiles";
const wchar_t kSlotPrefix[] = L"Profile";
} // namespace

void LoadProfiles(platform::IKeyValueStore* root, CProfileList& profiles, std::wstring& currentId,
                  std::uint32_t tick) {
    profiles.Clear();
    currentId.clear();
    auto list = root ? root->OpenKey(kListKey) : nullptr;
    if (!list)
        return;
    currentId = ReadStoredText(*list, L"CurrentProfileID");
    for (std::size_t slot : ExistingSlots(*list, kSlotPrefix, list->ReadDword(L"Count"))) {
        CProfileVireo record;
        if (record.Load(*list, slot))
            profiles.Append(record);
    }
    profiles.RenewRepeatedIds(currentId, tick);
}

void SaveProfiles(platform::IKeyValueStore* root, const CProfileList& profiles,
                  const std::wstring& currentId) {
    if (!root)
        return;
    // Values already stored as they would be written are left alone.
    platform::StoreImage image;
    platform::ImageKeyValueStore store(*root, image);
    auto list = store.CreateKey(kListKey);
    list->WriteDword(L"Count", static_cast<std::uint32_t>(profiles.Count()));
    list->WriteString(L"CurrentProfileID", currentId);
    std::size_t slot = 0;
    for (const CProfileVireo& record : profiles)
        record.Save(*list, slot++);
}

void RestoreCurrentProfile(platform::IKeyValueStore* root, CProfileList& profiles,
                           const std::wstring& currentId) {
    CProfileVireo* current = profiles.FindProfile(currentId);
    if (!current)
        return;
    auto list = root ? root->OpenKey(kListKey) : nullptr;
    if (!list)
        return;
    // The list may have changed since the last save, so the slot is found by its stored ID,
    // not by the record's position.
    for (std::size_t slot : ExistingSlots(*list, kSlotPrefix, list->ReadDword(L"Count"))) {
        auto key = list->OpenKey(SlotKeyName(kSlotPrefix, slot));
        if (key && ReadStoredText(*key, L"ID") == currentId) {
            current->Load(*list, slot);
            return;
        }
    }
}
