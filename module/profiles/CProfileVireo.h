#pragma once
// The profile of this mouse: the five buttons plus the CPI level and report rate (indexes
// 0..3) and values the mouse does not use here but that are kept in the store.
#include "module/profiles/CProfile.h"

#include <vector>

class CProfileVireo : public CProfile<5> {
public:
    // Action of each button's own function, in profile button order (left, middle, right,
    // button 4, button 5).
    static const std::array<const wchar_t*, 5> kStandardButtonActions;

    // The defaults are not valid indexes; the settings page clamps what it shows.
    std::uint32_t m_cpi1 = 800;
    std::uint32_t m_ledIntensity1 = 1;
    std::uint32_t m_cpi2 = 1600;
    std::uint32_t m_ledIntensity2 = 3;
    std::uint32_t m_reportRate = 1000;
    // Executable file names (e.g. "game.exe") whose window in front makes this profile
    // current. Stored as "ProgramCount" and "Program<n>", written only once a list was set,
    // so a slot of a profile without programs keeps the values it always had.
    std::vector<std::wstring> m_programs;

    static constexpr std::size_t kMaxPrograms = 256;

    CProfileVireo() = default;
    // A search key: the ID, every button on.
    explicit CProfileVireo(const std::wstring& id);
    CProfileVireo(const CProfileVireo&) = default;
    CProfileVireo& operator=(const CProfileVireo&) = default;
    ~CProfileVireo() = default;

    // A profile where every button is on and does its own function.
    static CProfileVireo MakeStandard(const std::wstring& id, const std::wstring& name);

    // True when the slot exists, whether or not it holds a name.
    bool Load(platform::IKeyValueStore& profiles, std::size_t index) override;
    void Save(platform::IKeyValueStore& profiles, std::size_t index) const override;
};
