#include "module/profiles/DefaultProfile.h"

#include "language/CMultiLanguage.h"
#include "module/profiles/UniqueIdentifier.h"

std::wstring DefaultProfileName() {
    const wchar_t* text = CMultiLanguage::GetText(L"ID_PROFILE_DEFAULT_NAME");
    return text ? text : L"Default Profile";
}

bool AddDefaultProfileIfEmpty(CProfileList& profiles, std::wstring& currentId, std::uint32_t tick) {
    if (!profiles.Empty())
        return false;
    const std::wstring id =
        MakeUniqueIdentifier(L"ID_PROFILE_", tick, [](const std::wstring&) { return false; });
    profiles.Append(CProfileVireo::MakeStandard(id, DefaultProfileName()));
    currentId = id;
    return true;
}
