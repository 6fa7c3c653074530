#pragma once
// Reads a profile file into a plan, checked whole before anything is added, then adds it to
// the lists: profiles and actions under new IDs and unique names, an action whose content
// already exists reused. A refused file leaves the lists untouched.
#include "module/actions/CCustomActionList.h"
#include "module/profiles/CProfileList.h"

#include <cstdint>
#include <string>
#include <vector>

class CProfileImport {
public:
    enum class Refusal { None, TooLarge, Damaged, NotProfileFile, OtherVersion, UnknownKey };

    // False when the file is refused (Why() tells why, Detail() names the key or the place).
    bool Read(const std::string& document);
    Refusal Why() const { return m_refusal; }
    const std::wstring& Detail() const { return m_detail; }

    // The programs the file's launch actions would start, in file order, each once.
    std::vector<std::wstring> LaunchPaths() const;
    std::size_t ProfileCount() const { return m_profiles.size(); }

    // Adds what was read; returns the new profiles' IDs in file order. Nothing after a refused
    // or no Read.
    std::vector<std::wstring> AddTo(CProfileList& profiles, CCustomActionList& actions,
                                    std::uint32_t tick) const;

private:
    struct ImportedProfile {
        CProfileVireo record;
        // Index into m_actions per button, -1 for a built-in function or nothing.
        int buttonAction[CProfileVireo::kButtonCount];
        // The programs whose coming to the front selects the profile.
        std::vector<std::wstring> programs;
    };

    bool Refuse(Refusal why, const std::wstring& detail);

    Refusal m_refusal = Refusal::None;
    std::wstring m_detail;
    std::vector<CCustomAction> m_actions;
    std::vector<ImportedProfile> m_profiles;
};
