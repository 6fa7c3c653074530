// The pop-up menu and the file-open dialog are modal loops of the system; the tests answer
// them from inside their loops.
#include "framework/CDialog.h"
#include "framework/CFileDialog.h"
#include "framework/CMenu.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kOwnerTemplate = 200;

TEST(CMenu, PopupReturnsTheCommandChosenWithTheKeyboard) {
    CDialog owner(kOwnerTemplate);
    ASSERT_TRUE(owner.Create(kOwnerTemplate));
    owner.ShowWindow(SW_SHOW);
    SetForegroundWindow(owner.m_hWnd);

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 101, L"Open");
    menu.AppendMenu(MF_STRING, 102, L"Exit");
    EXPECT_EQ(menu.GetMenuItemCount(), 2);

    // Waiting in the queue, the keys are read by the menu's own loop.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        owner.PostMessage(WM_KEYDOWN, key, 0);
    BOOL chosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 100, 100, &owner);
    EXPECT_EQ(chosen, 102);
    owner.DestroyWindow();
}

HWND g_fileDialogOwner = nullptr;

BOOL CALLBACK CancelFileDialog(HWND hwnd, LPARAM found) {
    if (GetWindow(hwnd, GW_OWNER) == g_fileDialogOwner) {
        PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        *reinterpret_cast<bool*>(found) = true;
    }
    return TRUE;
}

TEST(CFileDialog, DismissedDialogReturnsCancelAndNoPath) {
    CDialog owner(kOwnerTemplate);
    ASSERT_TRUE(owner.Create(kOwnerTemplate));
    g_fileDialogOwner = owner.m_hWnd;
    static bool found;
    found = false;
    // The timer fires inside the dialog's loop and cancels the dialog found by its owner.
    SetTimer(owner.m_hWnd, 1, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), &CancelFileDialog,
                          reinterpret_cast<LPARAM>(&found));
    });
    CFileDialog dialog(L"Programs|*.exe|All files|*.*|", &owner);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(found);
    EXPECT_TRUE(dialog.GetPathName().empty());
    owner.DestroyWindow();
}

} // namespace
