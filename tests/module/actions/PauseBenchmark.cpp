// How exactly a pause lasts: plain Sleep (the baseline) against the action runner's
// high-resolution pause, for the delays macros use, on a quiet machine, with one core busy
// and with both busy (a gamer's processor is busy by definition). Samples of both alternate,
// so both see the same load. Prints the error (measured minus asked) in milliseconds and the
// processor time each method used per pause, and a line `RESULT name value ms` per figure for
// scripts/bench.sh. Usage: pause_benchmark [--quiet]   (--quiet: no busy threads of its own,
// for a caller that brings its own load)
#include "platform/Win32HighResolutionPause.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Processor time of this thread, in ms.
double ThreadCpu() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

struct Samples {
    std::vector<double> errors;
    double cpu = 0;
};

void Measure(Samples& samples, DWORD asked, const std::function<void()>& wait) {
    const double cpu = ThreadCpu();
    const double start = Now();
    wait();
    samples.errors.push_back(Now() - start - asked);
    samples.cpu += ThreadCpu() - cpu;
}

// Nearest rank on the sorted errors.
double Percentile(const std::vector<double>& sorted, double fraction) {
    const std::size_t rank =
        static_cast<std::size_t>(fraction * static_cast<double>(sorted.size()));
    return sorted[std::min(rank, sorted.size() - 1)];
}

void Print(const char* name, const char* condition, DWORD delay, Samples samples) {
    std::vector<double>& errors = samples.errors;
    std::sort(errors.begin(), errors.end());
    std::printf("RESULT %s_%s_%lums_median %.4f ms\nRESULT %s_%s_%lums_p99 %.4f ms\n", condition,
                name, delay, Percentile(errors, 0.5), condition, name, delay,
                Percentile(errors, 0.99));
    std::printf("  %-6s %4lu ms  n=%3zu  median %+7.3f  p99 %+7.3f  max %+7.3f  cpu/pause %.3f\n",
                name, delay, errors.size(), Percentile(errors, 0.5), Percentile(errors, 0.99),
                errors.back(), samples.cpu / static_cast<double>(errors.size()));
}

// Threads that keep cores busy for as long as they live.
class BusyCores {
public:
    explicit BusyCores(int count) {
        for (int i = 0; i < count; ++i)
            m_threads.emplace_back([this] {
                volatile unsigned long spin = 0;
                while (!m_stop.load(std::memory_order_relaxed))
                    spin = spin + 1;
            });
    }
    ~BusyCores() {
        m_stop = true;
        for (auto& thread : m_threads)
            thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

} // namespace

int main(int argc, char** argv) {
    const bool quietOnly = argc > 1 && std::strcmp(argv[1], "--quiet") == 0;
    platform::Win32HighResolutionPause pause;
    std::printf("pause error in ms (measured - asked), processor ms per pause; "
                "high-resolution timer: %s\n",
                pause.HasHighResolutionTimer() ? "yes" : "no, 1 ms timer resolution per pause");
    const struct {
        const char* name;
        const char* key;
        int busy;
    } conditions[] = {{"quiet", "quiet", 0},
                      {"one core busy", "one_busy", 1},
                      {"both cores busy", "both_busy", 2}};
    for (const auto& condition : conditions) {
        if (quietOnly && condition.busy > 0)
            break;
        std::printf("\n%s\n", condition.name);
        BusyCores busy(condition.busy);
        for (DWORD delay : {1ul, 5ul, 10ul, 50ul, 100ul}) {
            const std::size_t count = std::clamp<std::size_t>(1000 / delay, 10, 200);
            Samples slept, paused;
            for (std::size_t i = 0; i < count; ++i) {
                Measure(slept, delay, [&] { Sleep(delay); });
                Measure(paused, delay, [&] { pause.Wait(delay); });
            }
            Print("Sleep", condition.key, delay, slept);
            Print("pause", condition.key, delay, paused);
        }
    }
    return 0;
}
