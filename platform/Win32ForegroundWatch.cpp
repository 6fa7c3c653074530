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

Win32ForegroundWatch::~Win32ForegroundWatch() {
    Stop();
}

bool Win32ForegroundWatch::Start(std::function<void()> onChange) {
    if (m_foregroundHook || m_objectHook || t_watch)
        return false;
    m_onChange = std::move(onChange);
    t_watch = this;
    const DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    m_foregroundHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                       &Win32ForegroundWatch::OnWinEvent, 0, 0, flags);
    m_objectHook = SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_FOCUS, nullptr,
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
    if (t_watch == this)
        t_watch = nullptr;
    m_onChange = nullptr;
}

void CALLBACK Win32ForegroundWatch::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object,
                                               LONG child, DWORD, DWORD) {
    // Of the object events only whole windows shown, hidden or gone can change what is in
    // front; the focus moves between controls as well.
    const bool window = object == OBJID_WINDOW && child == CHILDID_SELF;
    if (event != EVENT_SYSTEM_FOREGROUND && event != EVENT_OBJECT_FOCUS && !window)
        return;
    if (t_watch && t_watch->m_onChange)
        t_watch->m_onChange();
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
