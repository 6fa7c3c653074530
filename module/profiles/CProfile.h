#pragma once
// The button part of a profile record over N buttons: identity, name, and for each button the
// ID of its action and whether it is on. One record is stored as the key "Profile<index>"
// below "Profiles". Records are held by value, never deleted through this base.
#include "module/profiles/StoreLayout.h"
#include "platform/IKeyValueStore.h"

#include <array>
#include <cstdint>
#include <string>

template <std::size_t N> class CProfile {
public:
    static constexpr std::size_t kButtonCount = N;

    std::wstring m_id;
    std::wstring m_name;
    std::array<std::wstring, N> m_buttonAction;
    // Used as booleans: 0 switches the button off in this profile.
    std::array<std::uint32_t, N> m_buttonEnable{};

    // False when the slot is missing or holds no name.
    virtual bool Load(platform::IKeyValueStore& profiles, std::size_t index) {
        m_name.clear();
        auto key = profiles.OpenKey(SlotKeyName(L"Profile", index));
        if (!key)
            return false;
        LoadButtons(*key);
        return !m_name.empty();
    }

    // A slot that cannot be created is skipped.
    virtual void Save(platform::IKeyValueStore& profiles, std::size_t index) const {
        if (auto key = profiles.CreateKey(SlotKeyName(L"Profile", index)))
            SaveButtons(*key);
    }

protected:
    CProfile() = default;
    CProfile(const CProfile&) = default;
    CProfile& operator=(const CProfile&) = default;
    ~CProfile() = default;

    void LoadButtons(platform::IKeyValueStore& slot) {
        m_id = ReadStoredText(slot, L"ID");
        m_name = ReadStoredText(slot, L"Name");
        for (std::size_t i = 0; i < N; ++i) {
            m_buttonAction[i] = ReadStoredText(slot, ButtonValueName(i).c_str());
            m_buttonEnable[i] = slot.ReadDword(ButtonValueName(i) + L"_Enable").value_or(0) != 0;
        }
    }

    void SaveButtons(platform::IKeyValueStore& slot) const {
        slot.WriteString(L"ID", m_id);
        slot.WriteString(L"Name", m_name);
        for (std::size_t i = 0; i < N; ++i)
            slot.WriteString(ButtonValueName(i), m_buttonAction[i]);
        for (std::size_t i = 0; i < N; ++i)
            slot.WriteDword(ButtonValueName(i) + L"_Enable", m_buttonEnable[i]);
    }

private:
    static std::wstring ButtonValueName(std::size_t button) {
        return L"Button" + std::to_wstring(button);
    }
};
