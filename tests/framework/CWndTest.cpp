#include "framework/WindowSubclass.h"
#include "framework/CWnd.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const wchar_t* TestClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrameworkTestWindow";
        RegisterClassW(&wc);
        return L"FrameworkTestWindow";
    }();
    return name;
}

class RecordingWnd : public CWnd {
public:
    std::vector<UINT> messages;
    int postNcDestroyCalls = 0;
    HWND handleAtPostNcDestroy = reinterpret_cast<HWND>(1);

    bool Saw(UINT message) const {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == WM_APP + 1)
            return 1234;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        ++postNcDestroyCalls;
        handleAtPostNcDestroy = m_hWnd;
    }
};

TEST(CWnd, CreatedWindowIsBoundFromItsFirstMessagesUntilDestroyed) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClass(), L"t", WS_POPUP, RECT{0, 0, 50, 50}, HWND_MESSAGE, 0));
    HWND hwnd = wnd.m_hWnd;
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &wnd);
    EXPECT_TRUE(wnd.Saw(WM_NCCREATE));
    EXPECT_TRUE(wnd.Saw(WM_CREATE));
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 1234);

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(wnd.postNcDestroyCalls, 1);
    EXPECT_EQ(wnd.handleAtPostNcDestroy, nullptr);
    EXPECT_TRUE(wnd.Saw(WM_NCDESTROY));
}

TEST(CWnd, DestructorDestroysItsWindow) {
    HWND hwnd;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(
            wnd.CreateEx(0, TestClass(), L"t", WS_POPUP, RECT{0, 0, 5, 5}, HWND_MESSAGE, 0));
        hwnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(CWnd, SubclassRoutesThroughWindowProcAndKeepsOriginalBehaviour) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"before", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);

    RecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(edit));
    EXPECT_FALSE(RecordingWnd().SubclassWindow(edit)); // one object per window
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 1234);
    SetWindowTextW(edit, L"after");
    EXPECT_TRUE(wnd.Saw(WM_SETTEXT));
    wchar_t text[16] = {};
    GetWindowTextW(edit, text, 16); // handled by the edit control's own procedure
    EXPECT_STREQ(text, L"after");

    EXPECT_EQ(wnd.UnsubclassWindow(), edit);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    size_t seen = wnd.messages.size();
    SendMessageW(edit, WM_APP + 1, 0, 0);
    EXPECT_EQ(wnd.messages.size(), seen);
    DestroyWindow(edit);
}

TEST(CWnd, AttachDetachBindWithoutTakingOwnership) {
    HWND hwnd = CreateWindowExW(0, TestClass(), L"", WS_POPUP, 0, 0, 5, 5, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    CWnd a;
    CWnd b;
    EXPECT_TRUE(a.Attach(hwnd));
    EXPECT_FALSE(b.Attach(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &a);
    EXPECT_EQ(a.Detach(), hwnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_TRUE(IsWindow(hwnd));
    DestroyWindow(hwnd);
}

class ConsumingWnd : public RecordingWnd {
public:
    UINT consumes = 0;
    int offered = 0;
    BOOL PreTranslateMessage(MSG* msg) override {
        ++offered;
        return msg->message == consumes;
    }
};

TEST(CWnd, PreTranslateWalksFromTargetToParentsAndStopsAtConsumer) {
    ConsumingWnd parent;
    ConsumingWnd child;
    ASSERT_TRUE(parent.CreateEx(0, TestClass(), L"", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    ASSERT_TRUE(child.CreateEx(0, TestClass(), L"", WS_CHILD, RECT{0, 0, 5, 5}, parent, 1));
    parent.consumes = WM_APP + 2;
    child.consumes = WM_APP + 3;

    MSG msg = {child.m_hWnd, WM_APP + 2};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    EXPECT_EQ(child.offered, 1);
    EXPECT_EQ(parent.offered, 1);

    msg.message = WM_APP + 3;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    EXPECT_EQ(parent.offered, 1);

    msg.message = WM_APP + 2;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(child.m_hWnd, &msg)); // stops at the child
    EXPECT_EQ(parent.offered, 1);
}

} // namespace

namespace {

TEST(CWnd, FromHandleWrapsUnboundWindowsWithoutOwningThem) {
    HWND hwnd = CreateWindowExW(0, TestClass(), L"plain", WS_POPUP, 0, 0, 5, 5, HWND_MESSAGE,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    CWnd* wrapper = CWnd::FromHandle(hwnd);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->m_hWnd, hwnd);
    EXPECT_EQ(CWnd::FromHandle(hwnd), wrapper); // reused while the window lives
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(wrapper->GetWindowText(), L"plain");
    EXPECT_FALSE(wrapper->DestroyWindow()); // a wrapper never destroys what it does not own
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    RecordingWnd bound;
    ASSERT_TRUE(bound.SubclassWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandle(hwnd), &bound);
    bound.DestroyWindow();
}

class CreationAwareWnd : public CWnd {
public:
    std::vector<bool> creatingAtPreSubclass;

protected:
    void PreSubclassWindow() override { creatingAtPreSubclass.push_back(CWnd::IsCreatingWindow()); }
};

TEST(CWnd, PreSubclassWindowKnowsWhetherTheWindowIsBeingCreated) {
    CreationAwareWnd created;
    ASSERT_TRUE(created.CreateEx(0, TestClass(), L"", WS_POPUP, RECT{0, 0, 5, 5}, HWND_MESSAGE, 0));
    EXPECT_EQ(created.creatingAtPreSubclass, std::vector<bool>{true});
    EXPECT_FALSE(CWnd::IsCreatingWindow());

    HWND existing = CreateWindowExW(0, TestClass(), L"", WS_POPUP, 0, 0, 5, 5, HWND_MESSAGE,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    CreationAwareWnd subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(existing));
    EXPECT_EQ(subclassed.creatingAtPreSubclass, std::vector<bool>{false});
}

// Another hook on the same window through the subclass chain, as the skin's scroll frame puts
// on a control.
class ChainSpy {
public:
    explicit ChainSpy(HWND hwnd) : m_hwnd(hwnd) { fw::SetWindowSubclass(hwnd, &Proc, 7, Data()); }
    ~ChainSpy() { Remove(); }
    void Remove() { fw::RemoveWindowSubclass(m_hwnd, &Proc, 7); }
    bool Saw(UINT message) const {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }
    std::vector<UINT> messages;

private:
    DWORD_PTR Data() { return reinterpret_cast<DWORD_PTR>(this); }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
        reinterpret_cast<ChainSpy*>(data)->messages.push_back(message);
        return fw::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    HWND m_hwnd;
};

std::wstring TextOf(HWND hwnd) {
    wchar_t text[32] = {};
    GetWindowTextW(hwnd, text, 32);
    return text;
}

TEST(CWnd, UnsubclassingInAnyOrderKeepsTheOtherHooksAndTheControl) {
    struct Order {
        bool spyFirst;     // the other hook came before the object
        bool objectLeaves; // the object leaves before the other hook
    } orders[] = {{false, true}, {false, false}, {true, true}, {true, false}};
    for (const Order& order : orders) {
        SCOPED_TRACE(testing::Message() << order.spyFirst << order.objectLeaves);
        HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
        RecordingWnd wnd;
        std::unique_ptr<ChainSpy> spy;
        if (order.spyFirst)
            spy = std::make_unique<ChainSpy>(edit);
        ASSERT_TRUE(wnd.SubclassWindow(edit));
        if (!order.spyFirst)
            spy = std::make_unique<ChainSpy>(edit);

        if (order.objectLeaves) {
            wnd.UnsubclassWindow();
            const size_t seen = wnd.messages.size();
            SetWindowTextW(edit, L"one");
            EXPECT_TRUE(spy->Saw(WM_SETTEXT));
            EXPECT_EQ(wnd.messages.size(), seen);
            spy->Remove();
        } else {
            spy->Remove();
            spy->messages.clear();
            EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 1234);
            SetWindowTextW(edit, L"one");
            EXPECT_TRUE(wnd.Saw(WM_SETTEXT));
            EXPECT_TRUE(spy->messages.empty());
            wnd.UnsubclassWindow();
        }
        EXPECT_EQ(TextOf(edit), L"one"); // the edit's own procedure still answers
        EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
        DestroyWindow(edit);
    }
}

TEST(CWnd, DestroyingAWindowHookedByOthersReachesEveryHookOnce) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(edit));
    ChainSpy spy(edit);
    DestroyWindow(edit);
    EXPECT_TRUE(spy.Saw(WM_NCDESTROY));
    EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), WM_NCDESTROY), 1);
    EXPECT_EQ(wnd.postNcDestroyCalls, 1);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(CWnd, ClassWhoseProcedureIsTheThunkReachesWindowProcWithoutASubclass) {
    static const wchar_t* kClass = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CWnd::WindowProcThunk;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrameworkThunkClass";
        RegisterClassW(&wc);
        return L"FrameworkThunkClass";
    }();
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kClass, L"first", WS_POPUP, RECT{0, 0, 5, 5}, HWND_MESSAGE, 0));
    EXPECT_TRUE(wnd.Saw(WM_CREATE));
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 1234);
    wnd.SetWindowText(L"second"); // the system default keeps the text
    EXPECT_EQ(wnd.GetWindowText(), L"second");
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.postNcDestroyCalls, 1);
}

} // namespace
