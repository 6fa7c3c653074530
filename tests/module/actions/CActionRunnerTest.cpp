// The action-runner thread: copies, arrival order, and closing in the middle of a macro.
#include "module/actions/CActionRunner.h"

#include "FakeSystem.h"

#include <gmock/gmock.h>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

using namespace std::chrono_literals;
using testing::ElementsAre;

CCustomAction Macro(std::uint16_t vk, std::uint32_t pause) {
    CCustomAction action(L"ID_ACTION_" + std::to_wstring(vk));
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.time = pause;
    action.m_macro.m_steps.push_back(step);
    step.dwFlags = MacroStep::kKeyUp;
    step.time = 0;
    action.m_macro.m_steps.push_back(step);
    return action;
}

TEST(CActionRunner, RunsCopiesOneAtATimeInArrivalOrder) {
    FakeSystem system;
    system.blockingWait = 500;
    CActionRunner runner(system.Services());

    runner.Post(Macro(0x41, 500));
    ASSERT_TRUE(system.WaitForJournalSize(2, 5s));
    // Posted while the first runs, then changed and destroyed by the poster.
    auto second = std::make_unique<CCustomAction>(Macro(0x42, 0));
    runner.Post(*second);
    second->m_macro.m_steps.clear();
    second.reset();
    CCustomAction text(L"ID_TEXT");
    text.SetKind(CCustomAction::kTextMacro);
    text.m_copyString.m_string = L"t";
    runner.Post(text);
    CCustomAction builtIn(L"ACTION_ITEM_BUTTON4");
    builtIn.SetKind(3);
    runner.Post(builtIn);
    runner.Post(Macro(0x43, 0));
    system.FinishBlockedWait();

    ASSERT_TRUE(system.WaitForJournalSize(17, 5s));
    EXPECT_THAT(system.Journal(),
                ElementsAre("41:0 down", "wait 500 begins", "wait 500", "41:0 up", "42:0 down",
                            "42:0 up", "clipboard t", "wait 50", "11:0 down", "wait 50",
                            "56:0 down", "wait 50", "56:0 up", "wait 50", "11:0 up", "43:0 down",
                            "43:0 up"));
}

TEST(CActionRunner, CloseEndsTheRunningStepDropsTheRestAndReleasesHeldKeys) {
    FakeSystem system;
    system.blockingWait = 60000;
    CActionRunner runner(system.Services());
    CCustomAction held = Macro(0x41, 60000);
    MacroStep shift;
    shift.type = MacroStep::kKeyboardInput;
    shift.wVk = 0x10;
    held.m_macro.m_steps.insert(held.m_macro.m_steps.begin(), shift);
    runner.Post(held);
    runner.Post(Macro(0x42, 0));
    ASSERT_TRUE(system.WaitForJournalSize(3, 5s));

    runner.Close();
    runner.Post(Macro(0x43, 0));

    EXPECT_THAT(system.Journal(), ElementsAre("10:0 down", "41:0 down", "wait 60000 begins",
                                              "wait 60000 interrupted", "41:0 up", "10:0 up"));
}

// A profile switch waits for the runner: it is busy from the post until the last queued action
// has run, and says so once, only then.
TEST(CActionRunner, IsBusyUntilTheLastQueuedActionHasRunAndThenTellsItOnce) {
    FakeSystem system;
    system.blockingWait = 500;
    CActionRunner runner(system.Services());
    std::mutex lock;
    std::condition_variable told;
    int notices = 0;
    std::size_t journalAtNotice = 0;
    runner.SetIdleNotice([&] {
        std::lock_guard<std::mutex> hold(lock);
        ++notices;
        journalAtNotice = system.Journal().size();
        told.notify_all();
    });
    EXPECT_FALSE(runner.Busy());

    runner.Post(Macro(0x41, 500));
    EXPECT_TRUE(runner.Busy());
    ASSERT_TRUE(system.WaitForJournalSize(2, 5s));
    runner.Post(Macro(0x42, 0));
    EXPECT_TRUE(runner.Busy()) << "one runs, one waits";
    system.FinishBlockedWait();

    std::unique_lock<std::mutex> wait(lock);
    ASSERT_TRUE(told.wait_for(wait, 5s, [&] { return notices > 0; }));
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(journalAtNotice, 6u) << "told after the second macro's last step";
    EXPECT_FALSE(runner.Busy());
}

} // namespace
