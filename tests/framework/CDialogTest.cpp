#include "framework/CDialog.h"
#include "framework/CWinApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr UINT kModalTemplate = 200;
constexpr UINT kChildTemplate = 201;
constexpr UINT WM_TEST_END = WM_APP + 5;

class CountingApp : public CWinApp {
public:
    std::vector<MSG> seen;
    BOOL PreTranslateMessage(MSG* msg) override {
        seen.push_back(*msg);
        return CWinApp::PreTranslateMessage(msg);
    }
    bool Saw(HWND hwnd, UINT message) const {
        for (const MSG& m : seen)
            if (m.hwnd == hwnd && m.message == message)
                return true;
        return false;
    }
};

class TestDialog : public CDialog {
public:
    using CDialog::CDialog;
    std::function<void(TestDialog&)> onInit;
    int initCalls = 0;
    HWND handleSeenAtEnd = nullptr;

protected:
    BOOL OnInitDialog() override {
        ++initCalls;
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_END) {
            handleSeenAtEnd = m_hWnd;
            EndDialog(static_cast<INT_PTR>(wParam));
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST(CDialog, DoModalRunsItsLoopThroughTheApplicationAndReturnsTheEndResult) {
    CountingApp app;
    TestDialog dialog(kModalTemplate);
    dialog.onInit = [](TestDialog& d) { d.PostMessage(WM_TEST_END, 42); };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_TRUE(app.Saw(dialog.handleSeenAtEnd, WM_TEST_END));
    EXPECT_FALSE(IsWindow(dialog.handleSeenAtEnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(CDialog, CloseRequestEndsWithCancelAndCancelButtonToo) {
    struct Case {
        const char* name;
        std::function<void(TestDialog&)> action;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"WM_CLOSE", [](TestDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL},
        {"Cancel button",
         [](TestDialog& d) {
             d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                           reinterpret_cast<LPARAM>(d.GetDlgItem(IDCANCEL)->m_hWnd));
         },
         IDCANCEL},
        {"OK button",
         [](TestDialog& d) {
             d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(d.GetDlgItem(IDOK)->m_hWnd));
         },
         IDOK},
    };
    for (const Case& c : cases) {
        TestDialog dialog(kModalTemplate);
        dialog.onInit = c.action;
        EXPECT_EQ(dialog.DoModal(), c.expected) << c.name;
    }
}

TEST(CDialog, ParentIsDisabledWhileModalAndEnabledAfter) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    CWnd parentWnd;
    parentWnd.Attach(parent);
    bool enabledDuringModal = true;
    TestDialog dialog(kModalTemplate, &parentWnd);
    dialog.onInit = [&](TestDialog& d) {
        enabledDuringModal = IsWindowEnabled(parent) != FALSE;
        d.PostMessage(WM_TEST_END, 1);
    };
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_FALSE(enabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(parent));
    parentWnd.Detach();
    DestroyWindow(parent);
}

TEST(CDialog, QuitDuringModalLoopEndsItAndLeavesTheQuitForTheOuterLoop) {
    TestDialog dialog(kModalTemplate);
    dialog.onInit = [](TestDialog&) { PostQuitMessage(7); };
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(CDialog, ModelessChildFromTemplate) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    CWnd parentWnd;
    parentWnd.Attach(parent);
    TestDialog child(0);
    ASSERT_TRUE(child.Create(kChildTemplate, &parentWnd));
    EXPECT_EQ(child.initCalls, 1);
    EXPECT_EQ(GetParent(child.m_hWnd), parent);
    EXPECT_TRUE(GetWindowLongW(child.m_hWnd, GWL_STYLE) & WS_CHILD);
    EXPECT_NE(child.GetDlgItem(1001)->m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(child.m_hWnd), &child);

    HWND childHwnd = child.m_hWnd;
    DestroyWindow(parent); // children go with their parent
    EXPECT_FALSE(IsWindow(childHwnd));
    EXPECT_EQ(child.m_hWnd, nullptr);
    parentWnd.Detach();
}

TEST(CDialog, MissingTemplateFailsCleanly) {
    TestDialog dialog(9999);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_FALSE(dialog.Create(9999));
}

} // namespace

namespace {

constexpr UINT kTabTemplate = 203;

TEST(CDialog, ModelessChildSitsInsideItsParentWhereItIsPlaced) {
    TestDialog parent(kModalTemplate);
    ASSERT_TRUE(parent.Create(kModalTemplate));
    TestDialog child(0);
    ASSERT_TRUE(child.Create(kTabTemplate, &parent));
    child.SetWindowPos(nullptr, 26, 34, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT rect = child.GetWindowRect();
    parent.ScreenToClient(rect);
    EXPECT_EQ(rect.left, 26);
    EXPECT_EQ(rect.top, 34);
    EXPECT_TRUE(IsChild(parent.m_hWnd, child.m_hWnd));
    parent.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
}

// A module's dialog is a child of the host's window; its keyboard handling comes from the
// application object's pre-translation, which finds the dialog above the focused control.
TEST(CDialog, ApplicationPreTranslationMovesFocusWithTabInsideAChildDialog) {
    CWinApp app;
    TestDialog host(kModalTemplate);
    ASSERT_TRUE(host.Create(kModalTemplate));
    TestDialog module(0);
    ASSERT_TRUE(module.Create(kTabTemplate, &host));
    host.ShowWindow(SW_SHOW);
    SetForegroundWindow(host.m_hWnd);
    HWND first = module.GetDlgItem(1200)->m_hWnd;
    HWND second = module.GetDlgItem(1201)->m_hWnd;
    SetFocus(first);
    ASSERT_EQ(GetFocus(), first);

    MSG tab = {first, WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(app.PreTranslateMessage(&tab));
    EXPECT_EQ(GetFocus(), second);

    MSG other = {second, WM_APP, 0, 0};
    EXPECT_FALSE(app.PreTranslateMessage(&other)); // not keyboard input: left alone
    host.DestroyWindow();
}

// A page hidden or disabled while it holds the focus: the system's dialog keyboard handling
// would walk the dialog for a mnemonic for ever (it never reaches a control in a subtree it
// skips), so a character for such a control is not the dialog's to handle.
TEST(CDialog, ACharacterForAControlTheUserCannotReachIsLeftAlone) {
    const struct {
        const char* what;
        void (*cut)(HWND page);
    } cases[] = {{"hidden page", [](HWND page) { ShowWindow(page, SW_HIDE); }},
                 {"disabled page", [](HWND page) { EnableWindow(page, FALSE); }}};
    for (const auto& c : cases) {
        CWinApp app;
        TestDialog host(kModalTemplate);
        ASSERT_TRUE(host.Create(kModalTemplate));
        TestDialog module(0);
        ASSERT_TRUE(module.Create(kTabTemplate, &host));
        TestDialog page(0);
        ASSERT_TRUE(page.Create(kChildTemplate, &module));
        page.ShowWindow(SW_SHOW);
        host.ShowWindow(SW_SHOW);
        HWND button = page.GetDlgItem(1001)->m_hWnd;
        SetFocus(button);
        c.cut(page.m_hWnd);

        MSG character = {button, WM_CHAR, 'q', 0};
        EXPECT_FALSE(app.PreTranslateMessage(&character)) << c.what;
        MSG key = {button, WM_KEYDOWN, 'Q', 0};
        EXPECT_FALSE(app.PreTranslateMessage(&key)) << c.what;
        host.DestroyWindow();
    }
}

} // namespace
