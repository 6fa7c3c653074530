#pragma once
// Window object bound to an HWND. Every message of a bound window goes through the virtual
// WindowProc; what a class does not handle goes to DefWindowProc, which passes it on down
// the window's subclass chain (or to the system default). Windows are subclassed through
// the subclass chains of WindowSubclass.h only, so others that hook the same window (the
// skin's scroll frame, the hand-off) can come and go in any order. Notifications a control sends
// its parent are first offered to the control's own object (OnChildNotify).
#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to hwnd in this binary, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // The bound object, or a wrapper of this thread that lives as long as it is used and is
    // never bound (it neither sees messages nor destroys the window). Null for null.
    static CWnd* FromHandle(HWND hwnd);
    // True while a window created by the framework on this thread is being bound.
    static bool IsCreatingWindow();

    BOOL Attach(HWND hwnd);
    HWND Detach();

    // Binds this object to an existing window and routes its messages through WindowProc.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Takes this object's procedure out of the window's chain (whatever was added on top
    // stays) and unbinds it.
    HWND UnsubclassWindow();

    BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                  const RECT& rect, HWND parent, UINT id, void* param = nullptr);
    virtual BOOL DestroyWindow();

    virtual BOOL PreTranslateMessage(MSG* msg);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Relations
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    // State and placement
    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE) const {
        MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    void ScreenToClient(RECT& rect) const;
    void ClientToScreen(RECT& rect) const;
    void ScreenToClient(POINT& point) const { ::ScreenToClient(m_hWnd, &point); }
    void ClientToScreen(POINT& point) const { ::ClientToScreen(m_hWnd, &point); }
    // Centres over the owner (or parent), else over the work area of the screen.
    void CenterWindow(CWnd* alternateOwner = nullptr) const;

    // Painting
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) const {
        ::InvalidateRect(m_hWnd, rect, erase);
    }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) const {
        return ::RedrawWindow(m_hWnd, rect, region, flags);
    }
    void SetRedraw(BOOL redraw) const { SendMessage(WM_SETREDRAW, redraw); }
    void SetFont(HFONT font, BOOL redraw = TRUE) const {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    int SetWindowRgn(HRGN region, BOOL redraw) const {
        return ::SetWindowRgn(m_hWnd, region, redraw);
    }

    // Text
    void SetWindowText(const wchar_t* text) const { ::SetWindowTextW(m_hWnd, text); }
    std::wstring GetWindowText() const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetDlgItemText(int id, const wchar_t* text) const { ::SetDlgItemTextW(m_hWnd, id, text); }
    std::wstring GetDlgItemText(int id) const;

    // Styles
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const {
        return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0) const;
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0) const;

    // Input
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const {
        return ::SetTimer(m_hWnd, id, elapse, nullptr);
    }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }
    CWnd* SetCapture() const { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() const { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }

    // Offers msg to the bound windows from msg->hwnd up to and including stop.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    // A class may name this as its procedure: its windows reach WindowProc without being
    // subclassed.
    static LRESULT CALLBACK WindowProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PreSubclassWindow() {}
    // Called after the window is gone (WM_NCDESTROY); objects that own themselves delete here.
    virtual void PostNcDestroy() {}
    // A notification this window sent its parent (WM_COMMAND, WM_NOTIFY, owner-draw,
    // control-colour, scroll). Return TRUE with *result to answer it here alone; FALSE lets
    // the parent handle it as well.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Creation of the next window on this thread binds it to obj from its first message on.
    static void HookWindowCreate(CWnd* obj);
    static bool UnhookWindowCreate();

private:
    bool m_bSubclassed = false; // SubclassProc is in the window's chain

    void SubclassProcedure();
    void RemoveSubclassProcedure();
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void OnFinalNcDestroy();
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    static LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam);
};
