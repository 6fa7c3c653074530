#include "module/profiles/CProfileVireo.h"

#include <algorithm>

namespace {

std::wstring ProgramValueName(std::size_t index) {
    return L"Program" + std::to_wstring(index);
}

} // namespace

const std::array<const wchar_t*, 5> CProfileVireo::kStandardButtonActions = {
    L"ACTION_ITEM_LEFT_BUTTON", L"ACTION_ITEM_MIDDLE_BUTTON", L"ACTION_ITEM_RIGHT_BUTTON",
    L"ACTION_ITEM_BUTTON4", L"ACTION_ITEM_BUTTON5"};

CProfileVireo::CProfileVireo(const std::wstring& id) {
    m_id = id;
    m_buttonEnable.fill(1);
}

CProfileVireo CProfileVireo::MakeStandard(const std::wstring& id, const std::wstring& name) {
    CProfileVireo profile(id);
    profile.m_name = name;
    for (std::size_t i = 0; i < kButtonCount; ++i)
        profile.m_buttonAction[i] = kStandardButtonActions[i];
    return profile;
}

bool CProfileVireo::Load(platform::IKeyValueStore& profiles, std::size_t index) {
    m_name.clear();
    auto slot = profiles.OpenKey(SlotKeyName(L"Profile", index));
    if (!slot)
        return false;
    LoadButtons(*slot);
    // A missing level or rate keeps what the record holds; the LED values fall back to 0.
    m_cpi1 = slot->ReadDword(L"CPI1").value_or(m_cpi1);
    m_cpi2 = slot->ReadDword(L"CPI2").value_or(m_cpi2);
    m_reportRate = slot->ReadDword(L"ReportRate").value_or(m_reportRate);
    m_ledIntensity1 = slot->ReadDword(L"LedIntensity1").value_or(0);
    m_ledIntensity2 = slot->ReadDword(L"LedIntensity2").value_or(0);
    // A count larger than the values present loads the values present; a damaged count
    // costs no more than the cap.
    m_programs.clear();
    const std::size_t count =
        std::min<std::size_t>(slot->ReadDword(L"ProgramCount").value_or(0), kMaxPrograms);
    for (std::size_t i = 0; i < count; ++i) {
        std::wstring program = ReadStoredText(*slot, ProgramValueName(i).c_str());
        if (!program.empty())
            m_programs.push_back(std::move(program));
    }
    return true;
}

void CProfileVireo::Save(platform::IKeyValueStore& profiles, std::size_t index) const {
    auto slot = profiles.CreateKey(SlotKeyName(L"Profile", index));
    if (!slot)
        return;
    SaveButtons(*slot);
    slot->WriteDword(L"CPI1", m_cpi1);
    slot->WriteDword(L"LedIntensity1", m_ledIntensity1);
    slot->WriteDword(L"CPI2", m_cpi2);
    slot->WriteDword(L"LedIntensity2", m_ledIntensity2);
    slot->WriteDword(L"ReportRate", m_reportRate);
    // Once written, the count is kept up to date (an emptied list writes 0); values above it
    // are stale and never read.
    if (m_programs.empty() && !slot->HasValue(L"ProgramCount"))
        return;
    const std::size_t count = std::min(m_programs.size(), kMaxPrograms);
    slot->WriteDword(L"ProgramCount", static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i)
        slot->WriteString(ProgramValueName(i), m_programs[i]);
}
