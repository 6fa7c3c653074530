#include "platform/Win32ForegroundWatch.h"

#include <vector>

namespace platform {

namespace {

// Win events carry no user data: the hooks find their watch here. Hooks run on the thread
// that set them, so one watch per thread is all the map needs to know.
thread_local Win32ForegroundWatch* t_watch = nullptr;

struct ProcessHandle {
    HANDLE handle;
    explicit ProcessHandle(std::uint32_t id)
        : handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id)) {}
    ~ProcessHandle() {
        if (handle)
            CloseHandle(handle);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
};

constexpr std::size_t kMaxCachedPaths = 256;

} // namespace

Win32ForegroundWatch::Win32ForegroundWatch(Poster toWatchingThread)
    : m_post(std::move(toWatchingThread)) {}

Win32ForegroundWatch::~Win32ForegroundWatch() {
    Stop();
}

bool Win32ForegroundWatch::Start(std::function<void()> onChange) {
    if (m_foregroundHook || m_objectHook || t_watch)
        return false;
    m_onChange = std::move(onChange);
    t_watch = this;
    const DWORD flags = WINEVENT_OUTOFCONTEXT;
    m_foregroundHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                       &Win32ForegroundWatch::OnWinEvent, 0, 0, flags);
    m_objectHook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_FOCUS, nullptr,
                                   &Win32ForegroundWatch::OnWinEvent, 0, 0, flags);
    if (m_foregroundHook || m_objectHook)
        return true;
    Stop();
    return false;
}

void Win32ForegroundWatch::Stop() {
    for (HWINEVENTHOOK* hook : {&m_foregroundHook, &m_objectHook}) {
        if (*hook)
            UnhookWinEvent(*hook);
        *hook = nullptr;
    }
    StopWatchingForEnd();
    if (t_watch == this)
        t_watch = nullptr;
    m_onChange = nullptr;
}

void Win32ForegroundWatch::WatchForEnd(std::uint32_t processId) {
    if (processId == m_endWatched || !m_onChange || !m_post)
        return;
    StopWatchingForEnd();
    m_endWatched = processId;
    if (processId == 0 || processId == GetCurrentProcessId())
        return;
    m_endProcess = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (m_endProcess && !RegisterWaitForSingleObject(&m_endWait, m_endProcess,
                                                     &Win32ForegroundWatch::OnProcessEnded, this,
                                                     INFINITE, WT_EXECUTEONLYONCE))
        m_endWait = nullptr;
}

void Win32ForegroundWatch::StopWatchingForEnd() {
    // Waits for a notice being posted right now, so none outlives the watch.
    if (m_endWait)
        UnregisterWaitEx(m_endWait, INVALID_HANDLE_VALUE);
    if (m_endProcess)
        CloseHandle(m_endProcess);
    m_endWait = nullptr;
    m_endProcess = nullptr;
    m_endWatched = 0;
}

void CALLBACK Win32ForegroundWatch::OnProcessEnded(void* context, BOOLEAN) {
    auto* watch = static_cast<Win32ForegroundWatch*>(context);
    watch->m_post([watch] { watch->Notify(); });
}

void CALLBACK Win32ForegroundWatch::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object,
                                               LONG child, DWORD, DWORD) {
    // Of the object events only top-level windows made, shown, hidden or gone can change what
    // is in front; the focus moves between controls as well.
    const bool window = object == OBJID_WINDOW && child == CHILDID_SELF &&
                        (event == EVENT_OBJECT_DESTROY || GetAncestor(hwnd, GA_ROOT) == hwnd);
    if (event != EVENT_SYSTEM_FOREGROUND && event != EVENT_OBJECT_FOCUS && !window)
        return;
    if (t_watch)
        t_watch->Notify();
}

void Win32ForegroundWatch::Notify() {
    if (!m_onChange)
        return;
    m_onChange();
    // After the notice, not before: the switch it may bring is what someone waits for.
    WatchForEnd(ForegroundProcess());
}

std::uint32_t Win32ForegroundWatch::ForegroundProcess() {
    HWND window = GetForegroundWindow();
    DWORD process = 0;
    if (window)
        GetWindowThreadProcessId(window, &process);
    return process;
}

std::wstring Win32ForegroundWatch::ProcessImagePath(std::uint32_t processId) {
    ProcessHandle process(processId);
    if (!process.handle) {
        m_paths.erase(processId);
        return std::wstring();
    }
    // A process that ended may still be opened while anyone holds a handle to it.
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.handle, &exitCode) || exitCode != STILL_ACTIVE)
        return std::wstring();
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    GetProcessTimes(process.handle, &created, &exited, &kernel, &user);
    const std::uint64_t stamp =
        (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    auto cached = m_paths.find(processId);
    if (cached != m_paths.end() && cached->second.created == stamp)
        return cached->second.path;
    // Long paths go beyond MAX_PATH; the size is the system's limit for a path.
    std::vector<wchar_t> buffer(32768);
    DWORD size = static_cast<DWORD>(buffer.size());
    if (!QueryFullProcessImageNameW(process.handle, 0, buffer.data(), &size))
        return std::wstring();
    if (m_paths.size() >= kMaxCachedPaths)
        m_paths.clear();
    std::wstring path(buffer.data(), size);
    m_paths[processId] = CachedPath{stamp, path};
    return path;
}

std::uint32_t Win32ForegroundWatch::OwnProcess() const {
    return GetCurrentProcessId();
}

} // namespace platform
