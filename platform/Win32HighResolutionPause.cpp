#include "platform/Win32HighResolutionPause.h"

#include "framework/Handle.h"

#include <windows.h>

#include <atomic>
#include <optional>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform {

namespace {

constexpr UINT kNoError = 0; // TIMERR_NOERROR

// Timer resolution of 1 ms while the object lives. winmm is loaded only on this path, for
// systems without high-resolution timers.
class FineTimerResolution {
public:
    FineTimerResolution() : m_winmm(::LoadLibraryW(L"winmm.dll")) {
        if (!m_winmm)
            return;
        auto begin = reinterpret_cast<TimePeriodFunction>(
            reinterpret_cast<void*>(::GetProcAddress(m_winmm.get(), "timeBeginPeriod")));
        m_end = reinterpret_cast<TimePeriodFunction>(
            reinterpret_cast<void*>(::GetProcAddress(m_winmm.get(), "timeEndPeriod")));
        if (!begin || !m_end || begin(1) != kNoError)
            m_end = nullptr;
    }
    ~FineTimerResolution() {
        if (m_end)
            m_end(1);
    }
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;

private:
    using TimePeriodFunction = UINT(WINAPI*)(UINT);
    fw::UniqueLibrary m_winmm;
    TimePeriodFunction m_end = nullptr;
};

// Timers wake up to about a millisecond late (more under load); the last stretch of each
// pause is spent yielding the processor until the deadline instead.
constexpr LONGLONG kYieldStretch100ns = 20000;

LONGLONG Now100ns() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value;
        ::QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart / frequency * 10000000 +
           counter.QuadPart % frequency * 10000000 / frequency;
}

} // namespace

struct Win32HighResolutionPause::Handles {
    fw::UniqueKernelHandle interruptedEvent{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    fw::UniqueKernelHandle timer{::CreateWaitableTimerExW(
        nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS)};
    bool highResolution = static_cast<bool>(timer);
    std::atomic<bool> interrupted{false};

    Handles() {
        if (!timer)
            timer.reset(::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
    }

    // False when interrupted before the timer fired.
    bool Sleep100ns(LONGLONG duration) {
        LARGE_INTEGER due;
        due.QuadPart = -duration; // relative
        if (!timer || !::SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE))
            return ::WaitForSingleObject(interruptedEvent.get(),
                                         static_cast<DWORD>(duration / 10000)) == WAIT_TIMEOUT;
        const HANDLE handles[] = {interruptedEvent.get(), timer.get()};
        if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
            return true;
        ::CancelWaitableTimer(timer.get());
        return false;
    }
};

Win32HighResolutionPause::Win32HighResolutionPause() : m_handles(std::make_unique<Handles>()) {}

Win32HighResolutionPause::~Win32HighResolutionPause() = default;

bool Win32HighResolutionPause::HasHighResolutionTimer() const {
    return m_handles->highResolution;
}

bool Win32HighResolutionPause::Wait(std::uint32_t milliseconds) {
    if (m_handles->interrupted)
        return false;
    if (milliseconds == 0)
        return true;
    const LONGLONG deadline = Now100ns() + static_cast<LONGLONG>(milliseconds) * 10000;
    std::optional<FineTimerResolution> fine;
    if (!m_handles->highResolution)
        fine.emplace();
    for (LONGLONG remaining = deadline - Now100ns(); remaining > kYieldStretch100ns;
         remaining = deadline - Now100ns()) {
        if (!m_handles->Sleep100ns(remaining - kYieldStretch100ns))
            return false;
    }
    while (Now100ns() < deadline) {
        if (m_handles->interrupted)
            return false;
        ::SwitchToThread();
    }
    return !m_handles->interrupted;
}

void Win32HighResolutionPause::Interrupt() {
    m_handles->interrupted = true;
    ::SetEvent(m_handles->interruptedEvent.get());
}

} // namespace platform
