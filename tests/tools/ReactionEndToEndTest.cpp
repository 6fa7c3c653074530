// The whole road of a click on the simulated mouse: the profile's pass mask reaches the
// driver, the button report reaches the module's reactions, and the assigned keypress macro
// arrives as real key events.
#include "module/actions/BuiltInActions.h"
#include "module/actions/CActionRunner.h"
#include "module/core/CDeviceReactions.h"
#include "platform/Win32HighResolutionPause.h"
#include "platform/Win32InputShell.h"
#include "platform/Win32TickSource.h"
#include "tests/platform/KeyboardHookRecorder.h"
#include "tests/tools/ReactionTestSupport.h"
#include "tools/simmouse/SimMouseClient.h"

#include <gtest/gtest.h>

namespace {

TEST(ReactionEndToEnd, ClickOnAMacroButtonTypesTheMacroAndHoldsBackTheNativeClick) {
    simmouse::Device control;
    ASSERT_TRUE(control.Open());
    control.Reset();

    CProfileList profiles;
    std::wstring currentId = L"ID_PROFILE_E2E";
    CCustomActionList actions;
    platform::Win32TickSource ticks;
    AddMissingBuiltInActions(actions);
    const std::wstring macroId = actions.CreateAction(CCustomAction::kKeypressMacro, 1);
    actions.Find(macroId)->m_macro.m_steps = {MacroKey('Q', false, 20), MacroKey('Q', true)};
    CProfileVireo profile = CProfileVireo::MakeStandard(currentId, L"E2E");
    profile.m_buttonAction[3] = macroId; // button 4
    profile.m_cpi1 = 1;
    profile.m_reportRate = 2;
    profiles.Append(profile);

    platform::Win32InputShell shell;
    platform::Win32HighResolutionPause pause;
    CActionRunner runner(ActionServices{shell, pause});
    SilentReactionWindow window;
    CDeviceReactions mouse(ModuleModel{profiles, currentId, actions, ticks});
    auto driver = std::make_shared<CDriverVireo>();
    ASSERT_TRUE(driver->IsOpen());
    mouse.Attach(driver, true);
    mouse.BindReactions(&window, &runner);

    mouse.ApplyProfileToDevice();
    SimMouseStatus status = {};
    ASSERT_TRUE(control.GetStatus(&status));
    EXPECT_EQ(status.masksReceived, 5u);
    EXPECT_EQ(status.passMask & 0x08, 0); // button 4's own click is held back
    EXPECT_EQ(status.passMask & 0x01, 0x01);
    EXPECT_EQ(std::vector<std::uint8_t>(status.state, status.state + 7),
              (std::vector<std::uint8_t>{0, 0, 0, 8, 0, 0x02, 0x04}));

    KeyboardHookRecorder keys;
    ASSERT_TRUE(keys.Installed());
    ASSERT_TRUE(control.Inject(0x08));
    ASSERT_TRUE(control.Inject(0x00));
    ASSERT_TRUE(keys.WaitForKeys({'Q'}, 2, std::chrono::seconds(10)));
    const auto seen = keys.Keys({'Q'});
    EXPECT_FALSE(seen[0].up);
    EXPECT_TRUE(seen[1].up);

    runner.Close();
    mouse.Detach();
}

} // namespace
