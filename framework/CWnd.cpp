#include "framework/CWnd.h"

#include "framework/Module.h"

#include <mutex>
#include <unordered_map>

namespace {

// HWND → object map of this binary. Windows may be looked up from other threads (a worker
// checking its target), so it is guarded.
class HandleMap {
public:
    CWnd* Find(HWND hwnd) {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_map.find(hwnd);
        return it == m_map.end() ? nullptr : it->second;
    }
    void Set(HWND hwnd, CWnd* wnd) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_map[hwnd] = wnd;
    }
    void Remove(HWND hwnd) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_map.erase(hwnd);
    }

private:
    std::mutex m_mutex;
    std::unordered_map<HWND, CWnd*> m_map;
};

HandleMap& Handles() {
    static HandleMap map;
    return map;
}

struct CreationState {
    CWnd* pending = nullptr;
    HHOOK hook = nullptr;
};
thread_local CreationState t_creation;

} // namespace

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return hwnd ? Handles().Find(hwnd) : nullptr;
}

BOOL CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    Handles().Set(hwnd, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd)
        Handles().Remove(hwnd);
    m_hWnd = nullptr;
    return hwnd;
}

void CWnd::SubclassProcedure() {
    WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProcThunk)));
    if (old != &CWnd::WindowProcThunk)
        m_superWndProc = old;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!::IsWindow(hwnd) || !Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    SubclassProcedure();
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    if (!m_hWnd)
        return nullptr;
    if (m_superWndProc)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superWndProc));
    m_superWndProc = nullptr;
    return Detach();
}

void CWnd::HookWindowCreate(CWnd* obj) {
    t_creation.pending = obj;
    if (!t_creation.hook)
        t_creation.hook =
            SetWindowsHookExW(WH_CBT, &CWnd::CreationHookProc, nullptr, GetCurrentThreadId());
}

bool CWnd::UnhookWindowCreate() {
    if (t_creation.hook) {
        UnhookWindowsHookEx(t_creation.hook);
        t_creation.hook = nullptr;
    }
    bool bound = t_creation.pending == nullptr;
    t_creation.pending = nullptr;
    return bound;
}

LRESULT CALLBACK CWnd::CreationHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_creation.pending) {
        CWnd* obj = t_creation.pending;
        t_creation.pending = nullptr;
        if (obj->Attach(reinterpret_cast<HWND>(wParam))) {
            obj->PreSubclassWindow();
            obj->SubclassProcedure();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    const RECT& rect, HWND parent, UINT id, void* param) {
    if (m_hWnd)
        return FALSE;
    HookWindowCreate(this);
    HWND hwnd = CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                fw::ThisModule(), param);
    UnhookWindowCreate();
    return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    if (FromHandlePermanent(m_hWnd) != this) {
        Detach();
        return FALSE;
    }
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superWndProc)
        return CallWindowProcW(m_superWndProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

void CWnd::OnFinalNcDestroy() {
    HWND hwnd = m_hWnd;
    if (m_superWndProc &&
        GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WindowProcThunk))
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superWndProc));
    m_superWndProc = nullptr;
    Detach();
    PostNcDestroy();
}

LRESULT CALLBACK CWnd::WindowProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        wnd->OnFinalNcDestroy();
    return result;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hwnd == stop)
            break;
    }
    return FALSE;
}
