#include "framework/CWnd.h"

#include "framework/Module.h"

#include "framework/WindowSubclass.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

// HWND → object map of this binary. It belongs to the user-interface thread: the objects it
// names are created, used and destroyed there, so a pointer found on another thread may be
// gone before it is used. Workers hold a window handle or a CUiTaskQueue, never a CWnd*.
// (The lock only keeps the map itself whole.)
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

// Wrappers for windows no object is bound to. One per handle and thread, reused, so a
// pointer stays good while its window exists; wrappers of dead windows are dropped when
// the map has grown.
class TemporaryWrappers {
public:
    CWnd* Get(HWND hwnd) {
        auto it = m_wrappers.find(hwnd);
        if (it != m_wrappers.end())
            return it->second.get();
        if (m_wrappers.size() >= m_pruneAt)
            Prune();
        auto wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = hwnd;
        return m_wrappers.emplace(hwnd, std::move(wrapper)).first->second.get();
    }
    ~TemporaryWrappers() {
        for (auto& entry : m_wrappers)
            entry.second->m_hWnd = nullptr;
    }

private:
    void Prune() {
        for (auto it = m_wrappers.begin(); it != m_wrappers.end();) {
            if (!::IsWindow(it->first)) {
                it->second->m_hWnd = nullptr;
                it = m_wrappers.erase(it);
            } else {
                ++it;
            }
        }
        m_pruneAt = m_wrappers.size() * 2 + 64;
    }

    std::unordered_map<HWND, std::unique_ptr<CWnd>> m_wrappers;
    size_t m_pruneAt = 64;
};

// Each thread's temporary wrappers. The thread-local part is a plain pointer on purpose: a
// thread-local object with a destructor makes the runtime pin this binary in memory until the
// thread ends, so a module loaded by the host's thread could never be unloaded. The wrappers
// themselves go when the binary does.
TemporaryWrappers& ThreadTemporaries() {
    thread_local TemporaryWrappers* mine = nullptr;
    if (!mine) {
        static std::mutex lock;
        static std::vector<std::unique_ptr<TemporaryWrappers>> all;
        std::lock_guard<std::mutex> guard(lock);
        all.push_back(std::make_unique<TemporaryWrappers>());
        mine = all.back().get();
    }
    return *mine;
}

struct CreationState {
    CWnd* pending = nullptr;   // set from HookWindowCreate until the window is bound
    bool initialising = false; // binding in progress inside the creation hook
    HHOOK hook = nullptr;
};
thread_local CreationState t_creation;

// One object per window and binary: the procedure's address tells the entries apart.
constexpr UINT_PTR kSubclassId = 1;

} // namespace

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return hwnd ? Handles().Find(hwnd) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    if (CWnd* bound = FromHandlePermanent(hwnd))
        return bound;
    return ThreadTemporaries().Get(hwnd);
}

bool CWnd::IsCreatingWindow() {
    return t_creation.pending || t_creation.initialising;
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
    if (hwnd && FromHandlePermanent(hwnd) == this)
        Handles().Remove(hwnd);
    m_hWnd = nullptr;
    m_bSubclassed = false; // a procedure left behind finds no object and steps aside
    return hwnd;
}

void CWnd::SubclassProcedure() {
    // Windows of a class whose procedure is the thunk reach WindowProc already; a subclass
    // on top would send DefWindowProc back into the thunk.
    if (GetClassLongPtrW(m_hWnd, GCLP_WNDPROC) ==
        reinterpret_cast<ULONG_PTR>(&CWnd::WindowProcThunk))
        return;
    m_bSubclassed = fw::SetWindowSubclass(m_hWnd, &CWnd::SubclassProc, kSubclassId, 0) != FALSE;
}

void CWnd::RemoveSubclassProcedure() {
    if (m_bSubclassed)
        fw::RemoveWindowSubclass(m_hWnd, &CWnd::SubclassProc, kSubclassId);
    m_bSubclassed = false;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!::IsWindow(hwnd) || !Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    SubclassProcedure();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent)
        return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (!m_hWnd)
        return nullptr;
    RemoveSubclassProcedure();
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
    if (code == HCBT_CREATEWND && t_creation.pending && !t_creation.initialising) {
        CWnd* obj = t_creation.pending;
        t_creation.initialising = true;
        t_creation.pending = nullptr;
        if (obj->Attach(reinterpret_cast<HWND>(wParam))) {
            obj->PreSubclassWindow();
            obj->SubclassProcedure();
        }
        t_creation.initialising = false;
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
    if (!hwnd && m_hWnd)
        Detach();
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

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_bSubclassed)
        return fw::DefSubclassProc(m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

namespace {

// The control a notification to its parent is about, or null.
HWND NotifyingControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam); // null for menus and accelerators
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        auto item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU
                   ? ::GetDlgItem(parent, static_cast<int>(item->CtlID))
                   : nullptr;
    }
    case WM_DELETEITEM:
        return lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_COMPAREITEM:
        return lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    default:
        (void)wParam;
        return nullptr;
    }
}

} // namespace

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND control = NotifyingControl(m_hWnd, message, wParam, lParam);
    if (!control || control == m_hWnd)
        return FALSE;
    CWnd* child = FromHandlePermanent(control);
    return child && child->OnChildNotify(message, wParam, lParam, result);
}

void CWnd::OnFinalNcDestroy() {
    RemoveSubclassProcedure();
    Detach();
    PostNcDestroy();
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, &result))
        return result;
    result = WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        OnFinalNcDestroy();
    return result;
}

LRESULT CALLBACK CWnd::WindowProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return wnd->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd && wnd->m_bSubclassed)
        return wnd->Dispatch(message, wParam, lParam);
    // Bound to no object any more (detached without unsubclassing): step aside.
    if (message == WM_NCDESTROY)
        fw::RemoveWindowSubclass(hwnd, &CWnd::SubclassProc, kSubclassId);
    return fw::DefSubclassProc(hwnd, message, wParam, lParam);
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

RECT CWnd::GetWindowRect() const {
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const {
    RECT rect = {};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

void CWnd::ScreenToClient(RECT& rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
}

void CWnd::ClientToScreen(RECT& rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
}

void CWnd::CenterWindow(CWnd* alternateOwner) const {
    HWND center = alternateOwner ? alternateOwner->m_hWnd : nullptr;
    if (!center)
        center = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT area = {};
    if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
        ::GetWindowRect(center, &area);
    } else {
        MONITORINFO monitor = {sizeof(monitor)};
        GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    RECT self = GetWindowRect();
    int width = self.right - self.left;
    int height = self.bottom - self.top;
    POINT topLeft = {area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2};
    if (GetStyle() & WS_CHILD)
        ::ScreenToClient(::GetParent(m_hWnd), &topLeft);
    ::SetWindowPos(m_hWnd, nullptr, topLeft.x, topLeft.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring CWnd::GetDlgItemText(int id) const {
    HWND item = ::GetDlgItem(m_hWnd, id);
    return item ? FromHandle(item)->GetWindowText() : std::wstring();
}

namespace {
BOOL ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, index));
    DWORD changed = (style & ~remove) | add;
    if (style == changed)
        return FALSE;
    ::SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) const {
    return ModifyLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) const {
    return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}
