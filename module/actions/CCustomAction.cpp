#include "module/actions/CCustomAction.h"

#include "module/profiles/StoreLayout.h"

namespace {
const wchar_t kSlotPrefix[] = L"CustomAction";
}

void CCustomAction::SetKind(std::uint32_t kind) {
    m_kind = kind;
    switch (kind) {
    case kKeypressMacro:
        m_active = Active::Macro;
        break;
    case kTextMacro:
        m_active = Active::CopyString;
        break;
    case kLaunchApplication:
        m_active = Active::LaunchApp;
        break;
    default:
        m_active = Active::None;
        break;
    }
}

IActionContext* CCustomAction::ActiveContext() {
    switch (m_active) {
    case Active::Macro:
        return &m_macro;
    case Active::CopyString:
        return &m_copyString;
    case Active::LaunchApp:
        return &m_launchApp;
    case Active::None:
        break;
    }
    return nullptr;
}

const IActionContext* CCustomAction::ActiveContext() const {
    return const_cast<CCustomAction*>(this)->ActiveContext();
}

bool CCustomAction::Load(platform::IKeyValueStore& actions, std::size_t index) {
    m_name.clear();
    auto key = actions.OpenKey(SlotKeyName(kSlotPrefix, index));
    if (!key)
        return false;
    m_nameId = ReadStoredText(*key, L"NameID");
    const auto name = key->ReadString(L"Name", kMaxStoredTextLength);
    m_name = name.value_or(std::wstring());
    // Dropping it would lose its steps, text and path at the next save.
    const bool unreadableName = !name && key->HasValue(L"Name");
    m_descriptionId = ReadStoredText(*key, L"DescriptionID");
    m_description = ReadStoredText(*key, L"Description");
    // A missing kind keeps the default keypress macro; kinds the system never writes (above
    // 7) are kept but leave the macro context active.
    if (const auto kind = key->ReadDword(L"Type")) {
        if (*kind <= kLaunchApplication)
            SetKind(*kind);
        else
            m_kind = *kind;
    }
    m_macro.Load(*key);
    m_copyString.Load(*key);
    m_launchApp.Load(*key);
    return !m_name.empty() || unreadableName;
}

void CCustomAction::Save(platform::IKeyValueStore& actions, std::size_t index) const {
    auto key = actions.CreateKey(SlotKeyName(kSlotPrefix, index));
    if (!key)
        return;
    key->WriteString(L"NameID", m_nameId);
    key->WriteString(L"Name", m_name);
    key->WriteString(L"DescriptionID", m_descriptionId);
    key->WriteString(L"Description", m_description);
    key->WriteDword(L"Type", m_kind);
    m_macro.Save(*key);
    m_copyString.Save(*key);
    m_launchApp.Save(*key);
}

bool CCustomAction::SavesAs(const CCustomAction& other) const {
    return m_nameId == other.m_nameId && m_name == other.m_name &&
           m_descriptionId == other.m_descriptionId && m_description == other.m_description &&
           m_kind == other.m_kind && m_macro.m_steps == other.m_macro.m_steps &&
           m_copyString.m_string == other.m_copyString.m_string &&
           m_launchApp.m_filePath == other.m_launchApp.m_filePath;
}
