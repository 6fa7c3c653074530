#include "module/core/CForegroundFollower.h"

#include <windows.h>

#include <algorithm>

namespace {

std::wstring FileOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

CForegroundFollower::CForegroundFollower(platform::IForegroundWatch& watch,
                                         const platform::ITickSource& ticks,
                                         const CProfileList& profiles,
                                         const std::wstring& currentId, IProfileSwitch& switcher)
    : m_watch(watch), m_ticks(ticks), m_profiles(profiles), m_currentId(currentId),
      m_switcher(switcher) {}

CForegroundFollower::~CForegroundFollower() {
    Stop();
}

bool CForegroundFollower::Start() {
    m_handChosen = m_currentId;
    m_followed.clear();
    m_applied.clear();
    return m_watch.Start([this] { Evaluate(); });
}

void CForegroundFollower::Stop() {
    m_watch.Stop();
}

void CForegroundFollower::OnProfileSelected(const std::wstring& id) {
    if (!m_followed.empty() && id == m_followed)
        return;
    m_handChosen = id;
    m_followed.clear();
}

void CForegroundFollower::Evaluate() {
    const std::uint32_t process = m_watch.ForegroundProcess();
    if (process != 0 && process == m_watch.OwnProcess())
        return;
    const std::wstring path = process ? m_watch.ProcessImagePath(process) : std::wstring();
    if (!path.empty())
        Remember(path);

    std::wstring target;
    if (!path.empty()) {
        for (const CProfileVireo& profile : m_profiles) {
            if (NamesProgram(profile, path)) {
                target = profile.m_id;
                break;
            }
        }
    }
    const bool followed = !target.empty();
    if (!followed)
        target = m_handChosen;
    const bool inForce = target == m_currentId && (m_applied.empty() || m_applied == target);
    if (inForce || !m_profiles.FindProfile(target)) {
        // Back where the hand put it, or nowhere to go: nothing is followed any more.
        if (!followed && inForce)
            m_followed.clear();
        return;
    }
    // The running action finishes under the profile that started it; the idle notice asks
    // again.
    if (m_switcher.ActionsRunning())
        return;
    m_followed = followed ? target : std::wstring();
    m_applied = m_followed;
    m_switcher.SwitchToProfile(target);
}

bool CForegroundFollower::NamesProgram(const CProfileVireo& profile,
                                       const std::wstring& imagePath) {
    const std::wstring file = FileOf(imagePath);
    return std::any_of(profile.m_programs.begin(), profile.m_programs.end(),
                       [&](const std::wstring& program) { return SameFile(program, file); });
}

void CForegroundFollower::Remember(const std::wstring& path) {
    const std::wstring file = FileOf(path);
    if (file.empty())
        return;
    const std::uint32_t now = m_ticks.Milliseconds();
    m_seen.erase(std::remove_if(m_seen.begin(), m_seen.end(),
                                [&](const Seen& seen) {
                                    return SameFile(seen.file, file) || now - seen.tick > kRecentMs;
                                }),
                 m_seen.end());
    m_seen.push_back(Seen{file, now});
}

std::vector<std::wstring> CForegroundFollower::RecentPrograms() const {
    const std::uint32_t now = m_ticks.Milliseconds();
    std::vector<std::wstring> files;
    for (auto seen = m_seen.rbegin(); seen != m_seen.rend(); ++seen) {
        if (now - seen->tick <= kRecentMs)
            files.push_back(seen->file);
    }
    return files;
}
