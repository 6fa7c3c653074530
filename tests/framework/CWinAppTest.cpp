#include "framework/CWinApp.h"

#include <gtest/gtest.h>

namespace {

class ScriptedApp : public CWinApp {
public:
    BOOL initResult = FALSE;
    int initCalls = 0;
    int exitCalls = 0;
    BOOL InitInstance() override {
        ++initCalls;
        if (initResult)
            PostQuitMessage(5);
        return initResult;
    }
    int ExitInstance() override {
        ++exitCalls;
        return CWinApp::ExitInstance() + 100;
    }
};

TEST(CWinApp, WinMainEndsThroughExitInstanceWhetherOrNotTheLoopRan) {
    {
        ScriptedApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(AfxWinMain(GetModuleHandleW(nullptr)), 100);
        EXPECT_EQ(app.initCalls, 1);
        EXPECT_EQ(app.exitCalls, 1);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        ScriptedApp app;
        app.initResult = TRUE;
        EXPECT_EQ(AfxWinMain(GetModuleHandleW(nullptr)), 105); // quit code from the loop
        EXPECT_EQ(app.exitCalls, 1);
    }
}

TEST(CWinApp, SocketsStartForTheApplication) {
    ScriptedApp app;
    EXPECT_TRUE(AfxSocketInit());
    app.ExitInstance();
}

} // namespace
