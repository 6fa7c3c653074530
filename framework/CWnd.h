#pragma once
// Window object bound to an HWND. Every message of a bound window goes through the virtual
// WindowProc; what a class does not handle goes to DefWindowProc, which calls the window's
// original procedure (or the system default).
#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The object bound to hwnd in this binary, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    BOOL Attach(HWND hwnd);
    HWND Detach();

    // Binds this object to an existing window and routes its messages through WindowProc.
    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();

    BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                  const RECT& rect, HWND parent, UINT id, void* param = nullptr);
    virtual BOOL DestroyWindow();

    virtual BOOL PreTranslateMessage(MSG* msg);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    HWND GetDlgItemHwnd(int id) const { return ::GetDlgItem(m_hWnd, id); }

    // Offers msg to the bound windows from msg->hwnd up to and including stop.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    static LRESULT CALLBACK WindowProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PreSubclassWindow() {}
    // Called after the window is gone (WM_NCDESTROY); objects that own themselves delete here.
    virtual void PostNcDestroy() {}

    // Creation of the next window on this thread binds it to obj from its first message on.
    static void HookWindowCreate(CWnd* obj);
    static bool UnhookWindowCreate();

private:
    WNDPROC m_superWndProc = nullptr;

    void SubclassProcedure();
    void OnFinalNcDestroy();
    static LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam);
};
