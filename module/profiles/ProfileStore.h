#pragma once
// The profile list in the module store: key "Profiles" with "Count", "CurrentProfileID" and
// one "Profile<index>" key per record. A null root is a store that could not be opened: it
// reads as empty and takes no writes. Failures are silent.
#include "module/profiles/CProfileList.h"
#include "platform/IKeyValueStore.h"

#include <cstdint>
#include <string>

// Replaces the list and the current ID by the stored ones. Missing slots are skipped. IDs
// that are empty or repeat an earlier record's are replaced by new ones made from tick
// (CProfileList::RenewRepeatedIds); the next save stores them.
void LoadProfiles(platform::IKeyValueStore* root, CProfileList& profiles, std::wstring& currentId,
                  std::uint32_t tick);

// Writes the list in order into slots 0..n-1. Slots above n stay as they are; loading stops
// at the count, so they are never read. Only values that differ from the stored ones are
// written; the store ends as if all had been.
void SaveProfiles(platform::IKeyValueStore* root, const CProfileList& profiles,
                  const std::wstring& currentId);

// Re-reads the current profile from the stored slot that holds its ID; when no slot holds it
// the record stays as it is.
void RestoreCurrentProfile(platform::IKeyValueStore* root, CProfileList& profiles,
                           const std::wstring& currentId);
