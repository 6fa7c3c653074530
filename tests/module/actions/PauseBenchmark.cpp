// How exactly a pause lasts: plain Sleep (the baseline) against the action runner's
// high-resolution pause, for the delays macros use. Samples of both alternate, so both see
// the same load. Prints the error (measured minus asked) in milliseconds.
#include "platform/Win32HighResolutionPause.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Measure(const std::function<void()>& wait) {
    const double start = Now();
    wait();
    return Now() - start;
}

// Nearest rank on the sorted errors.
double Percentile(const std::vector<double>& sorted, double fraction) {
    const std::size_t rank =
        static_cast<std::size_t>(fraction * static_cast<double>(sorted.size()));
    return sorted[std::min(rank, sorted.size() - 1)];
}

void Print(const char* name, DWORD delay, std::vector<double> errors) {
    std::sort(errors.begin(), errors.end());
    std::printf("%-22s %4lu ms  n=%3zu  median %+7.3f  p99 %+7.3f  max %+7.3f\n", name, delay,
                errors.size(), Percentile(errors, 0.5), Percentile(errors, 0.99), errors.back());
}

} // namespace

int main() {
    platform::Win32HighResolutionPause pause;
    std::printf("pause error in ms (measured - asked); high-resolution timer: %s\n\n",
                pause.HasHighResolutionTimer() ? "yes" : "no, 1 ms timer resolution per pause");
    for (DWORD delay : {1ul, 5ul, 10ul, 50ul, 100ul}) {
        const std::size_t samples = std::clamp<std::size_t>(1000 / delay, 10, 200);
        std::vector<double> slept, paused;
        for (std::size_t i = 0; i < samples; ++i) {
            slept.push_back(Measure([&] { Sleep(delay); }) - delay);
            paused.push_back(Measure([&] { pause.Wait(delay); }) - delay);
        }
        Print("Sleep", delay, slept);
        Print("high-resolution pause", delay, paused);
    }
    return 0;
}
