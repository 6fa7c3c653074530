#include "platform/Win32HighResolutionPause.h"

#include "framework/Handle.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <iterator>
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

using DelayFunction = LONG(NTAPI*)(BOOLEAN alertable, PLARGE_INTEGER interval);

// The system's own sleep with a 100 ns interval, where it keeps sub-millisecond time (it does
// under Wine, whose waitable timers overshoot by up to a millisecond); null where it ends on
// the next timer tick, as on Windows, whose high-resolution timers are precise instead.
// Found by trying it: three sleeps of 0.1 ms.
DelayFunction PreciseShortSleep() {
    static const DelayFunction found = []() -> DelayFunction {
        HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        auto delay = ntdll ? reinterpret_cast<DelayFunction>(reinterpret_cast<void*>(
                                 ::GetProcAddress(ntdll, "NtDelayExecution")))
                           : nullptr;
        if (!delay)
            return nullptr;
        LONGLONG took[3];
        for (LONGLONG& t : took) {
            LARGE_INTEGER interval;
            interval.QuadPart = -1000;
            const LONGLONG start = Now100ns();
            delay(FALSE, &interval);
            t = Now100ns() - start;
        }
        std::sort(std::begin(took), std::end(took));
        return took[1] < 5000 ? delay : nullptr;
    }();
    return found;
}

// The last stretch of a pause is a busy wait: a sleep would wake late, and yielding gives the
// processor away for a whole scheduler slice on a busy machine. It is kept short, so the
// processor is used for well under a millisecond per pause.
constexpr LONGLONG kSpinStretch100ns = 2000; // 0.2 ms
// With the precise short sleep, a pause sleeps in steps of at most this, looking for an
// interrupt between them.
constexpr LONGLONG kLongestStep100ns = 100000; // 10 ms
// Without it: the high-resolution timer until this much before the deadline.
constexpr LONGLONG kTimerMargin100ns = 7000; // 0.7 ms

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
    if (!m_handles->highResolution && !PreciseShortSleep())
        fine.emplace();
    // Where the system's own sleep is precise (Wine), it serves the whole pause: Wine's timer
    // objects are served by another process and wake late once the processor is busy.
    if (const DelayFunction shortSleep = PreciseShortSleep()) {
        for (LONGLONG remaining = deadline - Now100ns(); remaining > kSpinStretch100ns;
             remaining = deadline - Now100ns()) {
            if (m_handles->interrupted)
                return false;
            LARGE_INTEGER interval;
            interval.QuadPart = -std::min(remaining - kSpinStretch100ns, kLongestStep100ns);
            shortSleep(FALSE, &interval);
        }
    } else {
        for (LONGLONG remaining = deadline - Now100ns(); remaining > kTimerMargin100ns;
             remaining = deadline - Now100ns()) {
            if (!m_handles->Sleep100ns(remaining - kTimerMargin100ns))
                return false;
        }
    }
    while (Now100ns() < deadline) {
        if (m_handles->interrupted)
            return false;
        YieldProcessor();
    }
    return !m_handles->interrupted;
}

void Win32HighResolutionPause::Interrupt() {
    m_handles->interrupted = true;
    ::SetEvent(m_handles->interruptedEvent.get());
}

} // namespace platform
