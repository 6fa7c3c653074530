#include "module/core/CDeviceReactions.h"

#include "module/profiles/DefaultProfile.h"

namespace {

// Profile button i: its device bit, its counter, and the kind of its own built-in action.
struct ButtonRole {
    std::uint8_t bit;
    int counter;
    std::uint32_t builtInType;
};
constexpr ButtonRole kRoles[5] = {
    {0x01, 0, 0}, // left
    {0x04, 2, 2}, // middle
    {0x02, 1, 1}, // right
    {0x08, 3, 3}, // button 4
    {0x10, 4, 4}, // button 5
};

bool Has(std::uint8_t mode, std::uint8_t bit) {
    return (mode & bit) != 0;
}

} // namespace

CDeviceReactions::CDeviceReactions(const ModuleModel& model) : m_model(model) {}

// Records may still be dispatched until the channel is closed, and another owner of the
// channel would keep its reader running: close it first, while this object is whole.
CDeviceReactions::~CDeviceReactions() {
    if (m_driver)
        m_driver->Close();
    Detach();
}

void CDeviceReactions::BindReactions(IReactionWindow* window, IActionQueue* actions) {
    m_window = window;
    m_actionQueue = actions;
}

std::optional<std::uint32_t> CDeviceReactions::ActionType(const std::wstring& actionId) const {
    for (const CCustomAction& action : m_model.actions)
        if (action.m_nameId == actionId)
            return action.Kind();
    return std::nullopt;
}

std::uint8_t CDeviceReactions::ModeOfButton(int button) const {
    auto driver = VireoDriver();
    return driver ? driver->GetState()[static_cast<std::size_t>(button)] : 0;
}

void CDeviceReactions::ApplyProfileToDevice(MaskPackets packets) {
    const CProfileVireo* profile = m_model.profiles.FindProfile(m_model.currentProfileId);
    auto driver = VireoDriver();
    if (!profile || !driver)
        return;
    std::uint8_t allBits = 0;
    std::uint8_t blockedBits = 0;
    for (int i = 0; i < 5; ++i) {
        std::uint8_t mode = device::kModeNative;
        if (!profile->m_buttonEnable[i]) {
            mode = device::kModeDisabled;
        } else if (auto type = ActionType(profile->m_buttonAction[i])) {
            if (*type == CCustomAction::kKeypressMacro)
                mode = device::kModeKeypressMacro;
            else if (*type == CCustomAction::kTextMacro)
                mode = device::kModeTextMacro;
            else if (*type == CCustomAction::kLaunchApplication)
                mode = device::kModeLaunchApplication;
        }
        driver->SetStateByte(i, mode);
        allBits |= kRoles[i].bit;
        if (mode != device::kModeNative)
            blockedBits |= kRoles[i].bit;
        // One mask packet each, with the mask as updated so far.
        if (packets == MaskPackets::EachButton)
            SetButtonBlocked(kRoles[i].bit, mode != device::kModeNative);
    }
    if (packets == MaskPackets::One)
        SetButtonsBlocked(allBits, blockedBits);
    driver->SetStateByte(5, device::EncodeIndex(static_cast<int>(profile->m_cpi1)));
    driver->SetStateByte(6, device::EncodeIndex(static_cast<int>(profile->m_reportRate)));
    driver->SendSettings();
}

bool CDeviceReactions::ProfileMatchesButton(const CProfileVireo& profile, int button,
                                            std::uint32_t expectedType) const {
    const std::uint8_t mode = ModeOfButton(button);
    const auto type = ActionType(profile.m_buttonAction[static_cast<std::size_t>(button)]);
    if (Has(mode, device::kModeDisabled) && profile.m_buttonEnable[button] != 0)
        return false;
    if (Has(mode, device::kModeKeypressMacro) && type != CCustomAction::kKeypressMacro)
        return false;
    if (Has(mode, device::kModeLaunchApplication) && type != CCustomAction::kLaunchApplication)
        return false;
    if (Has(mode, device::kModeTextMacro) && type != CCustomAction::kTextMacro)
        return false;
    if (mode == device::kModeNative && type != expectedType)
        return false;
    return true;
}

std::optional<std::wstring> CDeviceReactions::FindProfileForDeviceState() const {
    auto matchesAll = [&](const CProfileVireo& profile) {
        for (int i = 0; i < 5; ++i)
            if (!ProfileMatchesButton(profile, i, kRoles[i].builtInType))
                return false;
        return true;
    };
    const CProfileVireo* current = m_model.profiles.FindProfile(m_model.currentProfileId);
    if (current && matchesAll(*current))
        return current->m_id;
    for (const CProfileVireo& profile : m_model.profiles) {
        if (profile.m_id != m_model.currentProfileId && matchesAll(profile))
            return profile.m_id;
    }
    return std::nullopt;
}

std::wstring CDeviceReactions::CreateProfileFromDeviceState() {
    const CProfileVireo* current = m_model.profiles.FindProfile(m_model.currentProfileId);
    // Without a current profile (empty store) the copy starts from the standard profile.
    const CProfileVireo source =
        current ? *current : CProfileVireo::MakeStandard(L"", DefaultProfileName());
    CProfileVireo& created = m_model.profiles.Copy(source, m_model.ticks.Milliseconds());
    created.m_name = L"Profile" + std::to_wstring(m_model.profiles.Count());

    for (int i = 0; i < 5; ++i) {
        const std::uint8_t mode = ModeOfButton(i);
        std::wstring& action = created.m_buttonAction[static_cast<std::size_t>(i)];
        if (Has(mode, device::kModeDisabled))
            created.m_buttonEnable[i] = 0;
        else if (Has(mode, device::kModeKeypressMacro))
            action = m_model.actions.CreateAction(CCustomAction::kKeypressMacro,
                                                  m_model.ticks.Milliseconds());
        else if (Has(mode, device::kModeTextMacro))
            action = m_model.actions.CreateAction(CCustomAction::kTextMacro,
                                                  m_model.ticks.Milliseconds());
        else if (Has(mode, device::kModeLaunchApplication))
            action = m_model.actions.CreateAction(CCustomAction::kLaunchApplication,
                                                  m_model.ticks.Milliseconds());
        else
            action = CProfileVireo::kStandardButtonActions[static_cast<std::size_t>(i)];
    }
    return created.m_id;
}

void CDeviceReactions::OnEvent(const EventRecord* record, int size) {
    const device::RecordClass found = ClassifyRecord(record, size);
    if (found.kind == device::RecordClass::SettingsReport)
        OnSettingsReported();
    else if (found.kind == device::RecordClass::ButtonReport)
        OnButtonReport(found.buttons);
}

void CDeviceReactions::OnSettingsReported() {
    auto driver = VireoDriver();
    if (!driver)
        return;
    std::wstring id = FindProfileForDeviceState().value_or(std::wstring());
    if (id.empty())
        id = CreateProfileFromDeviceState();
    CProfileVireo* profile = m_model.profiles.FindProfile(id);
    if (!profile)
        return;
    const device::DeviceState state = driver->GetState();
    const int cpi = device::DecodeIndex(state[5]);
    const int rate = device::DecodeIndex(state[6]);
    profile->m_cpi1 = static_cast<std::uint32_t>(cpi);
    profile->m_reportRate = static_cast<std::uint32_t>(rate);

    if (id != m_model.currentProfileId) {
        m_model.currentProfileId = id;
        if (m_window)
            m_window->NotifyProfileChanged();
    }
    if (m_window) {
        // The Save takes CPI and report rate from the settings page: show the mouse's first,
        // or the Save would send the profile's old values back.
        m_window->ShowDeviceSettings(cpi, rate);
        m_window->RequestSave();
    }
}

void CDeviceReactions::OnButtonReport(std::uint8_t buttons) {
    const CProfileVireo* profile = m_model.profiles.FindProfile(m_model.currentProfileId);
    const std::uint8_t previous = m_lastButtons;
    m_lastButtons = buttons;
    if (!profile)
        return; // no profile: the mouse keeps its own clicks and nothing runs
    // A copy: running an action must not depend on the record staying as it is.
    const CProfileVireo current = *profile;
    for (int i = 0; i < 5; ++i) {
        const ButtonRole& role = kRoles[i];
        const bool released = (previous & role.bit) && !(buttons & role.bit);
        if (!released || !current.m_buttonEnable[i])
            continue;
        if (m_statRunning) {
            const int count = ++m_statCount[static_cast<std::size_t>(role.counter)];
            if (m_window)
                m_window->PostStatUpdate(role.counter, count);
        }
        if (m_actionQueue)
            m_model.actions.RunAction(current.m_buttonAction[static_cast<std::size_t>(i)],
                                      *m_actionQueue);
    }
}
