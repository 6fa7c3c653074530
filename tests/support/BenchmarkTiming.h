#pragma once
// What the benchmark programs share: the time of one call and the median of rounds.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace testing_support {

// Milliseconds the call took, by the steady clock.
inline double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The middle sample (the upper one of an even count); 0 without samples.
inline double Median(std::vector<double> samples) {
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace testing_support
