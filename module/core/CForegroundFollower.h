#pragma once
// Makes current the first profile, in list order, that names the program in front, and
// brings back the profile chosen by hand when no profile names it. Nothing changes while this
// process's windows (the host's) are in front, and a switch waits while an action runs: the
// window calls Evaluate again when the actions are idle. Runs on the user-interface thread.
#include "module/core/IProfileSwitch.h"
#include "module/profiles/CProfileList.h"
#include "platform/IForegroundWatch.h"
#include "platform/ITickSource.h"

#include <cstdint>
#include <string>
#include <vector>

class CForegroundFollower {
public:
    // How long a program seen in front is offered for adding.
    static constexpr std::uint32_t kRecentMs = 60000;

    CForegroundFollower(platform::IForegroundWatch& watch, const platform::ITickSource& ticks,
                        const CProfileList& profiles, const std::wstring& currentId,
                        IProfileSwitch& switcher);
    ~CForegroundFollower();
    CForegroundFollower(const CForegroundFollower&) = delete;
    CForegroundFollower& operator=(const CForegroundFollower&) = delete;

    // The current profile is the one chosen by hand until the first switch.
    bool Start();
    void Stop();

    // A profile selected from outside (the host's list). The host echoing a switch back is
    // not a choice.
    void OnProfileSelected(const std::wstring& id);
    const std::wstring& HandChosen() const { return m_handChosen; }
    // The mouse got the current profile's settings from elsewhere (a Save).
    void OnApplied() { m_applied.clear(); }

    // At each foreground event, and when the actions have become idle.
    void Evaluate();

    // True when the file name at the end of this path is one of the profile's programs,
    // compared as the file system compares names.
    static bool NamesProgram(const CProfileVireo& profile, const std::wstring& imagePath);

    // File names of the programs seen in front during the last minute, newest first.
    std::vector<std::wstring> RecentPrograms() const;

private:
    struct Seen {
        std::wstring file;
        std::uint32_t tick;
    };
    void Remember(const std::wstring& path);

    platform::IForegroundWatch& m_watch;
    const platform::ITickSource& m_ticks;
    const CProfileList& m_profiles;
    const std::wstring& m_currentId;
    IProfileSwitch& m_switcher;
    std::wstring m_handChosen;
    std::wstring m_followed; // the profile the last switch brought in; empty after a return
    // The followed profile whose settings the mouse has, until a return or a Save: a profile
    // chosen by hand in the host meanwhile is shown but not sent, so coming back to it must
    // send it. Empty: the mouse has what it had before any following.
    std::wstring m_applied;
    std::vector<Seen> m_seen;
};
