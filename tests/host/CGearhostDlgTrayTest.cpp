// The host window's life in the notification area: hidden start, showing and hiding, the
// icon's menu and the exit question.
#include "host/CDlgQuestion.h"
#include "tests/host/HostWindowFixture.h"

#include <functional>

namespace {

using host_test::HostWindowTest;

const UINT kTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");

// What the tray menu showed: the item texts of every menu opened by this thread, each
// closed again as soon as it waits for the user.
class MenuWatch {
public:
    // choose: the menu's first item is taken with the keyboard instead of closing the menu.
    explicit MenuWatch(bool choose = false) : m_choose(choose) {
        s_current = this;
        m_hook = SetWindowsHookExW(WH_CALLWNDPROC, &MenuWatch::Hook, nullptr, GetCurrentThreadId());
    }
    ~MenuWatch() {
        UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    std::vector<std::wstring> items;
    int opened = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && s_current) {
            if (message->message == WM_INITMENUPOPUP) {
                ++s_current->opened;
                auto menu = reinterpret_cast<HMENU>(message->wParam);
                for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                    wchar_t text[64] = {};
                    GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
                    s_current->items.emplace_back(text);
                }
            } else if (message->message == WM_ENTERIDLE && message->wParam == MSGF_MENU) {
                if (s_current->m_choose) {
                    s_current->m_choose = false;
                    PostMessageW(message->hwnd, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageW(message->hwnd, WM_KEYDOWN, VK_RETURN, 0);
                } else {
                    EndMenu();
                }
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static MenuWatch* s_current;
    bool m_choose = false;
    HHOOK m_hook = nullptr;
};
MenuWatch* MenuWatch::s_current = nullptr;

// Steps run one after another from this thread's message loop, so they also run inside
// modal loops the host opens; a step returns false to be tried again on the next tick.
class Steps {
public:
    explicit Steps(std::vector<std::function<bool()>> steps) : m_steps(std::move(steps)) {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 10, &Steps::Tick);
    }
    ~Steps() {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Done() const { return m_next == m_steps.size(); }
    // Runs the message loop until every step has run.
    void Run() {
        MSG msg;
        while (!Done() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Steps* steps = s_current;
        if (!steps || steps->m_busy || steps->Done())
            return;
        steps->m_busy = true; // a step that opens a modal loop must not be entered again
        if (steps->m_steps[steps->m_next]())
            ++steps->m_next;
        steps->m_busy = false;
    }
    static Steps* s_current;
    std::vector<std::function<bool()>> m_steps;
    size_t m_next = 0;
    bool m_busy = false;
    UINT_PTR m_timer = 0;
};
Steps* Steps::s_current = nullptr;

// The open question box of this thread, or null.
HWND QuestionWindow(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search = {owner, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (hwnd != s->owner && GetWindow(hwnd, GW_OWNER) == s->owner &&
                IsWindowVisible(hwnd) && GetDlgItem(hwnd, IDC_STATIC_QUESTION)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// Under Wine the new position comes back from the X server a moment later: the host reads
// the cursor only once the system reports it.
void MoveCursor(int x, int y) {
    SetCursorPos(x, y);
    POINT now = {};
    for (int i = 0; i < 50 && (GetCursorPos(&now), now.x != x || now.y != y); ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
}

class CursorKeeper {
public:
    CursorKeeper() { GetCursorPos(&m_saved); }
    ~CursorKeeper() { MoveCursor(m_saved.x, m_saved.y); }

private:
    POINT m_saved = {};
};

class TrayLife : public HostWindowTest {
protected:
    void SendTray(UINT event) { SendMessageW(Dialog(), WM_TRAYNOTIFY, CTrayIcon::kIconId, event); }
    // Asks to exit through the menu's command and answers the question with answer; returns
    // the question's window rectangle.
    RECT AnswerExitQuestion(int answer, const std::function<void(HWND)>& whileOpen = nullptr) {
        RECT placed = {};
        HWND question = nullptr;
        Steps steps({[&] {
                         PostMessageW(Dialog(), WM_COMMAND, ID_TRAY_EXIT & 0xFFFF, 0);
                         return true;
                     },
                     [&] {
                         question = QuestionWindow(Dialog());
                         return question != nullptr;
                     },
                     [&] {
                         GetWindowRect(question, &placed);
                         if (whileOpen)
                             whileOpen(question);
                         PostMessageW(question, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                         return true;
                     },
                     [&] { return m_dialog->m_bAskingExit == 0; }});
        steps.Run();
        return placed;
    }
};

TEST_F(TrayLife, StartsHiddenWithItsIcon) {
    Start({L"testmod_profiles"});
    EXPECT_FALSE(Visible());
    EXPECT_EQ(m_dialog->m_bShown, 0);
    ASSERT_TRUE(m_tray.IconShown());
    const NOTIFYICONDATAW& icon = m_tray.calls.back().data;
    EXPECT_EQ(icon.hWnd, Dialog());
    EXPECT_EQ(icon.uID, 128u);
    EXPECT_EQ(icon.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(icon.uCallbackMessage, 0x40Au);
    EXPECT_NE(icon.hIcon, nullptr);
    EXPECT_STREQ(icon.szTip, L"Gaming Mouse");
}

TEST_F(TrayLife, ShowsHidesAndMinimisesWithTheIconOnlyWhileHidden) {
    Start({L"testmod_profiles"});
    ShowFromTray();
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(m_tray.IconShown());

    Command(IDC_BTN_HIDE);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(m_tray.IconShown());

    ShowFromTray();
    Command(IDC_BTN_MINIMIZE);
    EXPECT_TRUE(IsIconic(Dialog()));
    EXPECT_EQ(m_dialog->m_bShown, 1);
    EXPECT_FALSE(m_tray.IconShown());

    // The taskbar's close on the minimised window: back to the notification area.
    SendMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(m_tray.IconShown());
    EXPECT_EQ(m_dialog->m_bShown, 0);

    // Other icons and other mouse messages of this one change nothing.
    const size_t calls = m_tray.calls.size();
    EXPECT_EQ(SendMessageW(Dialog(), WM_TRAYNOTIFY, 129, WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(SendMessageW(Dialog(), WM_TRAYNOTIFY, 128, WM_LBUTTONDOWN), 0);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(m_tray.calls.size(), calls);
}

TEST_F(TrayLife, AltF4HidesTheWindowAndKeepsItRunning) {
    Start({L"testmod_profiles"});
    ShowFromTray();
    ASSERT_TRUE(Visible());
    // As the system sends it for Alt+F4 (the Alt bit in the key data).
    SendMessageW(Dialog(), WM_SYSKEYDOWN, VK_F4, 1 << 29);
    Pump();
    EXPECT_TRUE(IsWindow(Dialog()));
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(m_tray.IconShown());
}

TEST_F(TrayLife, ASecondStartLeavesAHiddenWindowHiddenAndRestoresAMinimisedOne) {
    Start({L"testmod_profiles"});
    EXPECT_TRUE(CGearhostApp::ActivateRunningInstance());
    Pump();
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(m_tray.IconShown());

    ShowFromTray();
    Command(IDC_BTN_MINIMIZE);
    EXPECT_TRUE(CGearhostApp::ActivateRunningInstance());
    Pump();
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(IsIconic(Dialog()));
}

TEST_F(TrayLife, TheIconComesBackWhenTheShellRestartsWhileHidden) {
    Start({L"testmod_profiles"});
    m_tray.calls.clear(); // the shell's new notification area is empty
    SendMessageW(Dialog(), kTaskbarCreated, 0, 0);
    EXPECT_TRUE(m_tray.IconShown());

    ShowFromTray();
    m_tray.calls.clear();
    SendMessageW(Dialog(), kTaskbarCreated, 0, 0);
    EXPECT_TRUE(m_tray.calls.empty()); // a visible window has no icon
}

TEST_F(TrayLife, ALongTranslatedTipIsShortenedToFit) {
    const std::string tip(200, 'x');
    WriteLanguageFile("[Language]\r\nDefault=English\r\nL1=English\r\n[English]\r\n"
                      "ID1=ID_TRAY_TIP\r\nTEXT1=" +
                      tip + "\r\n");
    Start({L"testmod_profiles"});
    ASSERT_TRUE(m_tray.IconShown());
    EXPECT_EQ(std::wstring(m_tray.calls.back().data.szTip), std::wstring(127, L'x'));
}

TEST_F(TrayLife, TheTipAndTheMenuSpeakTheChosenLanguage) {
    UseCopiesOfTheShippedFiles();
    Start({L"testmod_profiles"});
    ShowFromTray();
    PickLanguage(1); // Deutsch
    Command(IDC_BTN_HIDE);
    ASSERT_TRUE(m_tray.IconShown());
    EXPECT_STREQ(m_tray.calls.back().data.szTip, L"Gaming-Maus");
    MenuWatch menus;
    SendTray(WM_RBUTTONUP);
    Pump();
    EXPECT_EQ(menus.items, std::vector<std::wstring>{L"Beenden"});
}

TEST_F(TrayLife, RightClickOffersExitButNotWhileTheQuestionIsOpen) {
    Start({L"testmod_profiles"});
    {
        MenuWatch menus;
        SendTray(WM_RBUTTONUP);
        Pump();
        EXPECT_EQ(menus.opened, 1);
        EXPECT_EQ(menus.items, std::vector<std::wstring>{L"Exit"});
    }
    MenuWatch menus;
    AnswerExitQuestion(IDCANCEL, [&](HWND) { SendTray(WM_RBUTTONUP); });
    EXPECT_EQ(menus.opened, 0);
}

TEST_F(TrayLife, ExitFromTheMenuAsksTheQuestion) {
    Start({L"testmod_profiles"});
    MenuWatch menus(true);
    HWND question = nullptr;
    Steps steps({[&] {
                     PostMessageW(Dialog(), WM_TRAYNOTIFY, CTrayIcon::kIconId, WM_RBUTTONUP);
                     return true;
                 },
                 [&] {
                     question = QuestionWindow(Dialog());
                     return question != nullptr;
                 },
                 [&] {
                     PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
                     return true;
                 },
                 [&] { return m_dialog->m_bAskingExit == 0; }});
    steps.Run();
    EXPECT_EQ(menus.items, std::vector<std::wstring>{L"Exit"});
    EXPECT_TRUE(IsWindow(Dialog()));
}

TEST_F(TrayLife, CancellingTheQuestionChangesNothing) {
    Start({L"testmod_profiles"});
    AnswerExitQuestion(IDCANCEL);
    EXPECT_TRUE(IsWindow(Dialog()));
    EXPECT_EQ(m_dialog->m_bAskingExit, 0);
    EXPECT_TRUE(m_tray.IconShown());
    MenuWatch menus;
    SendTray(WM_RBUTTONUP);
    Pump();
    EXPECT_EQ(menus.opened, 1); // offered again
}

TEST_F(TrayLife, TheQuestionOpensAboveTheCursorInsideTheWorkArea) {
    Start({L"testmod_profiles"});
    CursorKeeper cursor;
    const RECT work = WorkArea();

    // Near the right edge: the box ends at the work area's right edge.
    MoveCursor(work.right - 5, (work.top + work.bottom) / 2);
    RECT placed = AnswerExitQuestion(IDCANCEL);
    EXPECT_EQ(placed.left, work.right - 402);
    EXPECT_EQ(placed.top, work.bottom - 137);
    EXPECT_EQ(placed.right - placed.left, 402);

    // Elsewhere: centred on the cursor.
    MoveCursor(work.left + 500, work.top + 100);
    placed = AnswerExitQuestion(IDCANCEL);
    EXPECT_EQ(placed.left, work.left + 500 - 201);

    // A computed x of 0: the box stays centred on the screen.
    MoveCursor(work.left + 201, work.top + 100);
    placed = AnswerExitQuestion(IDCANCEL);
    EXPECT_EQ(placed.left, work.left + (work.right - work.left - 402) / 2);
}

TEST_F(TrayLife, TheQuestionShowsItsTexts) {
    Start({L"testmod_profiles"});
    std::wstring question, ok, cancel;
    AnswerExitQuestion(IDCANCEL, [&](HWND box) {
        wchar_t text[128] = {};
        GetDlgItemTextW(box, IDC_STATIC_QUESTION, text, 128);
        question = text;
        GetDlgItemTextW(box, IDOK, text, 128);
        ok = text;
        GetDlgItemTextW(box, IDCANCEL, text, 128);
        cancel = text;
    });
    EXPECT_EQ(question, L"Are you sure to exit the application (some adavnce feature will be "
                        L"invalid)? ");
    EXPECT_EQ(ok, L"OK");
    EXPECT_EQ(cancel, L"Cancel");
}

// The program's own run: the window is modal and ends its loop.
class TrayExit : public TrayLife {
protected:
    INT_PTR RunModal(std::vector<std::function<bool()>> steps) {
        LoadModules({L"testmod_profiles"});
        m_dialog = std::make_unique<CGearhostDlg>();
        m_dialog->SetNotifyArea(&m_tray);
        Steps running(std::move(steps));
        return m_dialog->DoModal();
    }
};

TEST_F(TrayExit, ConfirmingEndsTheRunAndRemovesTheIcon) {
    HWND question = nullptr;
    const INT_PTR result =
        RunModal({[&] {
                      PostMessageW(Dialog(), WM_COMMAND, ID_TRAY_EXIT & 0xFFFF, 0);
                      return true;
                  },
                  [&] {
                      question = QuestionWindow(Dialog());
                      return question != nullptr;
                  },
                  [&] {
                      PostMessageW(question, WM_COMMAND, IDOK, 0);
                      return true;
                  }});
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_FALSE(m_tray.calls.empty());
    EXPECT_FALSE(m_tray.IconShown());
}

TEST_F(TrayExit, ACloseRequestEndsTheRunWithoutAQuestion) {
    const INT_PTR result = RunModal({[&] {
        PostMessageW(Dialog(), WM_CLOSE, 0, 0);
        return true;
    }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(m_tray.IconShown());
}

} // namespace
