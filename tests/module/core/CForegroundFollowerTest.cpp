// The follower's decisions over a double of the foreground: which profile the program in
// front brings, when it waits, and what it offers as recently seen.
#include "module/core/CForegroundFollower.h"

#include <gmock/gmock.h>

#include <map>

namespace {

using testing::ElementsAre;

constexpr std::uint32_t kOwnProcess = 1;

class FakeWatch : public platform::IForegroundWatch {
public:
    std::function<void()> onChange;
    std::uint32_t foreground = 0;
    std::map<std::uint32_t, std::wstring> paths;

    bool Start(std::function<void()> callback) override {
        onChange = std::move(callback);
        return true;
    }
    void Stop() override { onChange = nullptr; }
    std::uint32_t ForegroundProcess() override { return foreground; }
    std::wstring ProcessImagePath(std::uint32_t process) override {
        auto found = paths.find(process);
        return found == paths.end() ? std::wstring() : found->second;
    }
    std::uint32_t OwnProcess() const override { return kOwnProcess; }

    // A program's window comes to the front and the event arrives.
    void Front(std::uint32_t process) {
        foreground = process;
        if (onChange)
            onChange();
    }
};

class FakeTicks : public platform::ITickSource {
public:
    std::uint32_t now = 1000;
    std::uint32_t Milliseconds() const override { return now; }
};

class FakeSwitch : public IProfileSwitch {
public:
    explicit FakeSwitch(std::wstring& current) : m_current(current) {}
    bool running = false;
    std::vector<std::wstring> switches;
    bool ActionsRunning() const override { return running; }
    void SwitchToProfile(const std::wstring& id) override {
        switches.push_back(id);
        m_current = id;
    }

private:
    std::wstring& m_current;
};

CProfileVireo Profile(const wchar_t* id, std::vector<std::wstring> programs) {
    CProfileVireo profile = CProfileVireo::MakeStandard(id, id);
    profile.m_programs = std::move(programs);
    return profile;
}

class Follower : public testing::Test {
protected:
    enum : std::uint32_t { kGame = 10, kEditor = 11, kOther = 12, kGone = 13 };

    Follower() {
        m_profiles.Append(Profile(L"Office", {}));
        m_profiles.Append(Profile(L"Shooter", {L"Game.exe", L"editor.exe"}));
        m_profiles.Append(Profile(L"Editing", {L"EDITOR.EXE"}));
        m_watch.paths = {{kOwnProcess, L"C:\\Program Files\\Gearhost\\Gearhost.exe"},
                         {kGame, L"C:\\Games\\GAME.EXE"},
                         {kEditor, L"D:/tools/editor.exe"},
                         {kOther, L"C:\\windows\\notepad.exe"}};
        EXPECT_TRUE(m_follower.Start());
    }

    CProfileList m_profiles;
    std::wstring m_current = L"Office";
    FakeWatch m_watch;
    FakeTicks m_ticks;
    FakeSwitch m_switch{m_current};
    CForegroundFollower m_follower{m_watch, m_ticks, m_profiles, m_current, m_switch};
};

TEST(ForegroundFollower, AProfileNamesAProgramByTheFileNameAtTheEndOfItsPathWhateverTheCase) {
    CProfileVireo profile;
    profile.m_programs = {L"Game.exe", L"Ärger.EXE"};
    const struct {
        const wchar_t* path;
        bool named;
    } cases[] = {
        {L"C:\\Games\\GAME.EXE", true},
        {L"game.exe", true},
        {L"D:/x/ärger.exe", true},
        {L"C:\\Games\\game.exe.bak", false},
        {L"C:\\game.exe\\other.exe", false},
        {L"C:\\Games\\", false},
        {L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CForegroundFollower::NamesProgram(profile, c.path), c.named)
            << testing::PrintToString(std::wstring(c.path));
}

TEST_F(Follower, TheProgramInFrontBringsTheFirstProfileNamingItAndAnyOtherBringsTheHandsChoice) {
    const struct {
        std::uint32_t front;
        const wchar_t* current;
    } steps[] = {
        {kGame, L"Shooter"},   // its file name, whatever the case and folder
        {kOther, L"Office"},   // named by nobody: back to the hand's choice
        {kEditor, L"Shooter"}, // named twice: the first in list order
        {kGame, L"Shooter"},   // already current: nothing sent again
        {kGone, L"Office"},    // a program whose path cannot be read any more
        {0, L"Office"},        // nothing in front
    };
    for (const auto& step : steps) {
        m_watch.Front(step.front);
        EXPECT_EQ(m_current, step.current) << "process " << step.front;
    }
    EXPECT_THAT(m_switch.switches, ElementsAre(L"Shooter", L"Office", L"Shooter", L"Office"));
}

TEST_F(Follower, NothingChangesWhileTheHostsOwnWindowIsInFront) {
    m_watch.Front(kGame);
    m_watch.Front(kOwnProcess);
    EXPECT_EQ(m_current, L"Shooter");
    EXPECT_THAT(m_switch.switches, ElementsAre(L"Shooter"));
}

TEST_F(Follower, ASwitchWaitsForTheRunningActionAndHappensWhenTheRunnerIsIdle) {
    m_switch.running = true;
    m_watch.Front(kGame);
    EXPECT_EQ(m_current, L"Office");
    m_switch.running = false;
    m_follower.Evaluate(); // the runner's idle notice
    EXPECT_EQ(m_current, L"Shooter");

    m_switch.running = true;
    m_watch.Front(kOther);
    m_watch.Front(kGame); // back before the macro ended: no switch was ever due
    m_switch.running = false;
    m_follower.Evaluate();
    EXPECT_THAT(m_switch.switches, ElementsAre(L"Shooter"));
}

TEST_F(Follower, TheHostEchoingASwitchIsNoChoiceButASelectionIs) {
    m_watch.Front(kGame);
    m_follower.OnProfileSelected(L"Shooter"); // the host's list shows what came in
    m_watch.Front(kOther);
    EXPECT_EQ(m_current, L"Office");

    m_watch.Front(kGame);
    m_follower.OnProfileSelected(L"Editing"); // picked in the host while the game waits
    m_current = L"Editing";
    EXPECT_EQ(m_follower.HandChosen(), L"Editing");
    m_watch.Front(kOther);
    EXPECT_EQ(m_current, L"Editing");
    m_watch.Front(kGame);
    EXPECT_EQ(m_current, L"Shooter");
}

// The host shows a profile picked there but sends it to the mouse only on Save: coming back to
// it from a followed profile still sends it.
TEST_F(Follower, AHandsChoiceMadeWhileAFollowedProfileIsInForceIsSentOnTheWayBack) {
    m_watch.Front(kGame);
    m_follower.OnProfileSelected(L"Editing");
    m_current = L"Editing";
    m_watch.Front(kOther);
    EXPECT_THAT(m_switch.switches, ElementsAre(L"Shooter", L"Editing"));

    m_watch.Front(kGame);
    m_follower.OnProfileSelected(L"Office");
    m_current = L"Office";
    m_follower.OnApplied(); // saved: the mouse has it
    m_watch.Front(kOther);
    EXPECT_THAT(m_switch.switches, ElementsAre(L"Shooter", L"Editing", L"Shooter"));
}

// Without following, a profile picked in the host reaches the mouse on Save, as it always did.
TEST_F(Follower, AHandsChoiceAfterAReturnIsLeftToTheSave) {
    m_watch.Front(kGame);
    m_watch.Front(kOther);
    m_follower.OnProfileSelected(L"Editing");
    m_current = L"Editing";
    m_watch.Front(kOther);
    EXPECT_THAT(m_switch.switches, ElementsAre(L"Shooter", L"Office"));
}

TEST_F(Follower, AProfileDeletedWhileItsProgramIsInFrontNoLongerComesBack) {
    m_watch.Front(kGame);
    ASSERT_EQ(m_current, L"Shooter");
    m_profiles.Remove(L"Shooter");
    m_profiles.Rename(L"Editing", L"Renamed"); // names do not matter, IDs do
    m_follower.OnProfileSelected(L"Office");   // the host selects another after a delete
    m_current = L"Office";
    m_watch.Front(kEditor);
    EXPECT_EQ(m_current, L"Editing");
    m_watch.Front(kGame);
    EXPECT_EQ(m_current, L"Office");
}

TEST_F(Follower, AHandsChoiceThatIsGoneLeavesTheCurrentProfile) {
    m_watch.Front(kGame);
    m_profiles.Remove(L"Office");
    m_watch.Front(kOther);
    EXPECT_EQ(m_current, L"Shooter");
}

TEST_F(Follower, OffersTheProgramsSeenInFrontDuringTheLastMinuteNewestFirst) {
    m_watch.Front(kGame);
    m_ticks.now += 30000;
    m_watch.Front(kOther);
    m_watch.Front(kOwnProcess); // the host itself is never offered
    m_ticks.now += 20000;
    m_watch.Front(kEditor);
    m_watch.Front(kOther);
    EXPECT_THAT(m_follower.RecentPrograms(),
                ElementsAre(L"notepad.exe", L"editor.exe", L"GAME.EXE"));
    m_ticks.now += 15000;
    EXPECT_THAT(m_follower.RecentPrograms(), ElementsAre(L"notepad.exe", L"editor.exe"));
}

} // namespace
