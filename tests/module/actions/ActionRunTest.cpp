// Running the three kinds of action through the seams, and handing actions to the runner.
#include "module/actions/CCustomActionList.h"

#include "FakeSystem.h"

#include <gmock/gmock.h>

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr std::uint16_t kA = 0x41, kAScan = 0x1e;
constexpr std::uint16_t kShift = 0x10, kShiftScan = 0x2a;
constexpr std::uint16_t kControl = 0x11, kControlScan = 0x1d;
constexpr std::uint16_t kV = 0x56, kVScan = 0x2f;

MacroStep Key(std::uint16_t vk, std::uint16_t scan, std::uint32_t flags, std::uint32_t pause) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.wScan = scan;
    step.dwFlags = flags;
    step.time = pause;
    return step;
}

MacroStep Down(std::uint16_t vk, std::uint16_t scan, std::uint32_t pause) {
    return Key(vk, scan, 0, pause);
}

MacroStep Up(std::uint16_t vk, std::uint16_t scan, std::uint32_t pause) {
    return Key(vk, scan, MacroStep::kKeyUp, pause);
}

class ActionRun : public testing::Test {
protected:
    ActionRun() { system.scanCodes = {{kControl, kControlScan}, {kV, kVScan}}; }

    void RunMacro(std::vector<MacroStep> steps) {
        CActionMacroContext macro;
        macro.m_steps = std::move(steps);
        macro.Run(system.Services());
    }

    FakeSystem system;
};

TEST_F(ActionRun, MacroSendsEachStepThenExactlyItsPause) {
    RunMacro({Down(kA, kAScan, 100), Up(kA, kAScan, 0)});
    EXPECT_THAT(system.Journal(),
                ElementsAre(FakeSystem::Down(kA, kAScan), "wait 100", FakeSystem::Up(kA, kAScan)));
}

TEST_F(ActionRun, MacroSendsOnlyKeyboardStepsWithTheirKeyFlags) {
    MacroStep mouse;
    mouse.type = 0;
    mouse.wVk = 0x5;
    mouse.dwFlags = 0x2;
    mouse.time = 20;
    MacroStep hardware = Down(kA, kAScan, 0);
    hardware.type = 2;
    // Right Ctrl pressed, with stray unicode and scan-code-only bits from a damaged store.
    const MacroStep rightControl = Key(kControl, kControlScan, 0x1 | 0x4 | 0x8, 0);

    RunMacro({MacroStep(), mouse, hardware, rightControl});

    // The pauses of skipped steps stay; the key pressed without a release stays pressed.
    EXPECT_THAT(system.Journal(), ElementsAre("wait 20", "11:1d ext down"));
}

TEST_F(ActionRun, InterruptedMacroDropsTheRestAndReleasesTheKeysItHolds) {
    system.interruptAtWait = 2;
    RunMacro({Down(kA, kAScan, 0), Up(kA, kAScan, 10), Down(kShift, kShiftScan, 0),
              Key(kControl, kControlScan, MacroStep::kExtendedKey, 0), Down(kA, kAScan, 100),
              Up(kA, kAScan, 0), Up(kShift, kShiftScan, 0)});

    EXPECT_THAT(system.Journal(),
                ElementsAre(FakeSystem::Down(kA, kAScan), FakeSystem::Up(kA, kAScan), "wait 10",
                            FakeSystem::Down(kShift, kShiftScan), "11:1d ext down",
                            FakeSystem::Down(kA, kAScan), "wait 100 interrupted",
                            FakeSystem::Up(kA, kAScan), "11:1d ext up",
                            FakeSystem::Up(kShift, kShiftScan)));
}

TEST_F(ActionRun, TextMacroPutsTheTextOnTheClipboardThenPastesWithCtrlV) {
    for (const std::wstring text : {L"hello world", L""}) {
        FakeSystem fresh;
        fresh.scanCodes = system.scanCodes;
        CActionCopyStringContext copy;
        copy.m_string = text;
        copy.Run(fresh.Services());

        EXPECT_THAT(fresh.Journal(),
                    ElementsAre("clipboard " + std::string(text.begin(), text.end()), "wait 50",
                                FakeSystem::Down(kControl, kControlScan), "wait 50",
                                FakeSystem::Down(kV, kVScan), "wait 50", FakeSystem::Up(kV, kVScan),
                                "wait 50", FakeSystem::Up(kControl, kControlScan)));
    }
}

TEST_F(ActionRun, TextMacroDoesNothingWhileAnotherProgramHoldsTheClipboard) {
    system.clipboardBusy = true;
    CActionCopyStringContext copy;
    copy.m_string = L"never pasted";
    copy.Run(system.Services());
    EXPECT_THAT(system.Journal(), IsEmpty()) << "the old contents must not be pasted";
}

TEST_F(ActionRun, InterruptedPasteReleasesWhatItPressed) {
    system.interruptAtWait = 3;
    CActionCopyStringContext copy;
    copy.m_string = L"x";
    copy.Run(system.Services());
    EXPECT_THAT(system.Journal(),
                ElementsAre("clipboard x", "wait 50", FakeSystem::Down(kControl, kControlScan),
                            "wait 50", FakeSystem::Down(kV, kVScan), "wait 50 interrupted",
                            FakeSystem::Up(kV, kVScan), FakeSystem::Up(kControl, kControlScan)));
}

TEST_F(ActionRun, LaunchBringsThisProcessToFrontWhereTheForegroundIsLocked) {
    struct Case {
        bool foregroundLock;
        platform::WindowId ownWindow;
        std::vector<std::string> journal;
    };
    const Case cases[] = {
        {true, 9, {"front 9", "open C:\\tools\\calc.exe"}},
        {true, 0, {"open C:\\tools\\calc.exe"}},
        {false, 9, {"open C:\\tools\\calc.exe"}},
    };
    for (const Case& c : cases) {
        FakeSystem fresh;
        fresh.foregroundLock = c.foregroundLock;
        if (c.ownWindow)
            fresh.windowOfProcess[fresh.processId] = c.ownWindow;
        fresh.windowOfProcess[fresh.processId + 1] = 5;
        CActionLaunchAppContext launch;
        launch.m_filePath = L"C:\\tools\\calc.exe";
        launch.Run(fresh.Services());
        EXPECT_EQ(fresh.Journal(), c.journal) << c.foregroundLock << " " << c.ownWindow;
    }

    CActionLaunchAppContext empty;
    empty.Run(system.Services());
    EXPECT_THAT(system.Journal(), IsEmpty());
}

class RecordingQueue final : public IActionQueue {
public:
    void Post(const CCustomAction& action) override { posted.push_back(action); }
    std::vector<CCustomAction> posted;
};

TEST_F(ActionRun, RunActionPostsACopyOfCustomActionsOnly) {
    CCustomActionList list;
    CCustomAction builtIn(L"ACTION_ITEM_LEFT_BUTTON");
    builtIn.SetKind(0);
    list.AppendAction(builtIn);
    CCustomAction unnamed;
    unnamed.SetKind(CCustomAction::kTextMacro);
    list.AppendAction(unnamed);
    CCustomAction macro(L"ID_ACTION_1");
    macro.m_macro.m_steps = {Down(kA, kAScan, 0), Up(kA, kAScan, 0)};
    list.AppendAction(macro);

    RecordingQueue queue;
    for (const wchar_t* id : {L"ACTION_ITEM_LEFT_BUTTON", L"", L"ID_ACTION_2", L"id_action_1"})
        list.RunAction(id, queue);
    EXPECT_THAT(queue.posted, IsEmpty());

    list.RunAction(L"ID_ACTION_1", queue);
    list.RemoveAction(L"ID_ACTION_1");
    ASSERT_EQ(queue.posted.size(), 1u);
    queue.posted[0].ActiveContext()->Run(system.Services());
    EXPECT_THAT(system.Journal(),
                ElementsAre(FakeSystem::Down(kA, kAScan), FakeSystem::Up(kA, kAScan)));
}

} // namespace
