// Benchmark of the event pump against the simulated Kestrel driver (not a test): records per
// second through poll + read + dispatch with blocks of 1 and of 32 (quiet and with one core
// busy), the latency from injecting a button report to OnEvent (median, p99), and the CPU
// time the idle pump uses. Every time is also given as a ratio to one control request
// round trip measured in the same run, and the same throughput and latency of a bare
// poll + read loop (BareEventLoop.h). Needs the driver running (kestrel-sim install).
// Besides the text, a line `RESULT name value unit` per figure for scripts/bench.sh.
// Usage: simmouse-bench [--quick] [--latency]   (--latency: only the latencies)
#include "module/device/CDeviceVireo.h"
#include "module/device/CDriverVireo.h"
#include "tools/simmouse/SimMouseClient.h"
#include "tools/simmouse/bench/BareEventLoop.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / frequency;
}

// The module's device part, reduced to counting: classification runs as in the module.
class CountingDevice : public CDeviceVireo {
public:
    CountingDevice() : m_arrived(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~CountingDevice() override {
        if (m_driver)
            m_driver->Close();
        CloseHandle(m_arrived);
    }
    void OnEvent(const EventRecord* record, int size) override {
        ClassifyRecord(record, size);
        Note();
    }
    // Counts one record; the bare loop calls only this.
    void Note() {
        m_lastTime.store(Now());
        // Wakes the waiter only when its count is reached: an event per record would cost
        // a wineserver round trip each and measure the benchmark instead of the pump.
        if (m_count.fetch_add(1) + 1 >= m_target.load())
            SetEvent(m_arrived);
    }
    long Count() const { return m_count.load(); }
    double LastTime() const { return m_lastTime.load(); }
    bool WaitForCount(long count, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        m_target.store(count);
        while (m_count.load() < count) {
            if (GetTickCount() - start > timeoutMs)
                return false;
            WaitForSingleObject(m_arrived, 50);
        }
        return true;
    }

private:
    HANDLE m_arrived;
    std::atomic<long> m_count{0};
    std::atomic<long> m_target{0};
    std::atomic<double> m_lastTime{0};
};

double Percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t index = std::min(
        values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())));
    return values[index];
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Records per second through the pump with at most `blockLimit` records per read.
// `bare`: through BareEventLoop instead of the channel.
double Throughput(simmouse::Device& control, int blockLimit, long total, bool busyCore,
                  bool bare = false) {
    control.Reset();
    control.SetBlockLimit(static_cast<std::uint8_t>(blockLimit));
    std::atomic<bool> spinning{busyCore};
    std::thread spinner([&] {
        volatile unsigned long long sink = 0;
        while (spinning.load(std::memory_order_relaxed))
            ++sink;
    });
    CountingDevice device;
    std::shared_ptr<CDriverVireo> driver;
    std::unique_ptr<simmouse::BareEventLoop> loop;
    if (bare) {
        loop = std::make_unique<simmouse::BareEventLoop>(
            device::kQuillonDevicePath, [&device](const device::EventRecord&) { device.Note(); });
    } else {
        driver = std::make_shared<CDriverVireo>();
        device.Attach(driver, true);
    }
    const long chunk = 2048;
    long injected = 0;
    const double start = Now();
    while (injected < total) {
        // Keep at most two chunks queued, below the driver's 8192-record queue.
        if (injected - device.Count() > 2 * chunk) {
            device.WaitForCount(injected - 2 * chunk, 10000);
            continue;
        }
        const long n = std::min(chunk, total - injected);
        std::vector<std::uint8_t> reports(static_cast<std::size_t>(n));
        for (long i = 0; i < n; ++i)
            reports[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((injected + i) & 1);
        control.Inject(reports);
        injected += n;
    }
    const bool complete = device.WaitForCount(total, 60000);
    const double elapsed = device.LastTime() - start;
    spinning = false;
    spinner.join();
    SimMouseStatus status = {};
    control.GetStatus(&status);
    if (driver)
        driver->Close();
    loop.reset();
    control.SetBlockLimit(32);
    if (!complete || status.recordsDropped) {
        std::printf("  (incomplete: %ld of %ld records, %u dropped)\n", device.Count(), total,
                    status.recordsDropped);
        return 0;
    }
    return static_cast<double>(total) / elapsed;
}

// A paced stream of `rate` reports per second for `seconds`, with one core busy: the records
// the pump delivered per second and the largest backlog (injected, not yet dispatched).
void PacedStream(simmouse::Device& control, double rate, double seconds) {
    control.Reset();
    std::atomic<bool> spinning{true};
    std::thread spinner([&] {
        volatile unsigned long long sink = 0;
        while (spinning.load(std::memory_order_relaxed))
            ++sink;
    });
    auto driver = std::make_shared<CDriverVireo>();
    CountingDevice device;
    device.Attach(driver, true);
    Sleep(50);
    long injected = 0, maxBacklog = 0;
    double backlogSum = 0;
    long samples = 0;
    const double start = Now();
    for (;;) {
        const double elapsed = Now() - start;
        if (elapsed >= seconds)
            break;
        const long due = static_cast<long>(elapsed * rate) - injected;
        if (due > 0) {
            control.Inject(std::vector<std::uint8_t>(static_cast<std::size_t>(due), 0x01));
            injected += due;
        }
        const long backlog = injected - device.Count();
        maxBacklog = std::max(maxBacklog, backlog);
        backlogSum += static_cast<double>(backlog);
        ++samples;
        Sleep(1);
    }
    const bool complete = device.WaitForCount(injected, 10000);
    const double elapsed = device.LastTime() - start;
    spinning = false;
    spinner.join();
    SimMouseStatus status = {};
    control.GetStatus(&status);
    driver->Close();
    std::printf("paced stream, %.0f reports/s (%.0fx a 1000 Hz mouse) for %.0f s, one core "
                "busy: %ld of %ld delivered, %.0f records/s, backlog mean %.0f max %ld records, "
                "%u dropped %s\n",
                rate, rate / 1000.0, seconds, device.Count(), injected,
                static_cast<double>(device.Count()) / elapsed,
                samples ? backlogSum / static_cast<double>(samples) : 0.0, maxBacklog,
                status.recordsDropped,
                complete && !status.recordsDropped ? "[keeps up]" : "[FALLS BEHIND]");
}

void Result(const char* name, double value, const char* unit) {
    std::printf("RESULT %s %.4f %s\n", name, value, unit);
}

// Latency from just before the inject request of one report to its arrival, one report at a
// time; through the channel or, `bare`, through BareEventLoop.
std::vector<double> Latencies(simmouse::Device& control, int count, bool bare) {
    control.Reset();
    CountingDevice device;
    std::shared_ptr<CDriverVireo> driver;
    std::unique_ptr<simmouse::BareEventLoop> loop;
    if (bare) {
        loop = std::make_unique<simmouse::BareEventLoop>(
            device::kQuillonDevicePath, [&device](const device::EventRecord&) { device.Note(); });
    } else {
        driver = std::make_shared<CDriverVireo>();
        device.Attach(driver, true);
    }
    Sleep(50);
    std::vector<double> latencies;
    latencies.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const long before = device.Count();
        const double t0 = Now();
        control.Inject(static_cast<std::uint8_t>(i & 1));
        if (!device.WaitForCount(before + 1, 5000))
            break;
        latencies.push_back(device.LastTime() - t0);
    }
    if (driver)
        driver->Close();
    return latencies;
}

} // namespace

int main(int argc, char** argv) {
    bool quick = false, latencyOnly = false;
    for (int i = 1; i < argc; ++i) {
        quick = quick || std::strcmp(argv[i], "--quick") == 0;
        latencyOnly = latencyOnly || std::strcmp(argv[i], "--latency") == 0;
    }
    const int latencyCount = quick ? 1000 : 10000;
    const double idleSeconds = quick ? 2.0 : 10.0;

    simmouse::Device control;
    if (!control.Open()) {
        std::fprintf(stderr, "simmouse-bench: the simulated driver is not running "
                             "(kestrel-sim install)\n");
        return 1;
    }
    control.Reset();
    std::printf("simmouse-bench: event pump against the simulated Kestrel driver%s\n",
                quick ? " (quick)" : "");

    // Baseline: one control request round trip to the kernel driver.
    std::vector<double> requests;
    for (int i = 0; i < 2000; ++i) {
        SimMouseStatus status;
        const double t0 = Now();
        control.GetStatus(&status);
        requests.push_back(Now() - t0);
    }
    const double request = Percentile(requests, 0.5);
    std::printf("baseline: one control request round trip, median %.3f ms\n", request * 1e3);
    Result("request_round_trip_median", request * 1e3, "ms");

    if (!latencyOnly) {
        const double mouseRate = 1000.0; // a 1,000 Hz mouse
        const long flood = quick ? 20000 : 100000;
        // Alternated, the better of two each, so neither side pays for a warm-up or a
        // passing load of the machine alone.
        double bare = 0, pump = 0;
        for (int round = 0; round < 2; ++round) {
            bare = std::max(bare, Throughput(control, 32, flood, false, true));
            pump = std::max(pump, Throughput(control, 32, flood, false));
        }
        std::printf("throughput, blocks of 32, the better of two alternated runs: bare poll + read "
                    "loop %.0f records/s, the pump %.0f records/s (%.0f%%)\n",
                    bare, pump, bare > 0 ? 100.0 * pump / bare : 0.0);
        Result("pump_rate_alternated", pump, "records/s");
        Result("bare_loop_rate", bare, "records/s");
        struct Run {
            const char* name;
            const char* result;
            int block;
            long total;
            bool busy;
        } runs[] = {
            {"blocks of 32", "pump_rate", 32, flood, false},
            {"blocks of 32, one core busy", "pump_rate_one_core_busy", 32, flood, true},
            {"blocks of 1", "pump_rate_blocks_of_1", 1, quick ? 2000 : 10000, false},
            {"blocks of 1, one core busy", "pump_rate_blocks_of_1_one_core_busy", 1,
             quick ? 2000 : 10000, true},
        };
        for (const Run& run : runs) {
            const double rate = Throughput(control, run.block, run.total, run.busy);
            std::printf("throughput, %s: %.0f records/s over %ld records = %.1fx a 1000 Hz mouse "
                        "(%.2f records per request round trip) %s\n",
                        run.name, rate, run.total, rate / mouseRate, rate * request,
                        run.block == 1 ? "(2 requests per record: the floor of a 1-record cycle)"
                        : rate >= 10 * mouseRate ? "[keeps up with 10x]"
                                                 : "[BELOW 10x]");
            Result(run.result, rate, "records/s");
        }
        PacedStream(control, 10000.0, quick ? 3.0 : 10.0);
    }

    // Latency, the channel's and the bare loop's, one report at a time.
    for (bool bare : {false, true}) {
        const std::vector<double> latencies = Latencies(control, latencyCount, bare);
        const double median = Percentile(latencies, 0.5), p99 = Percentile(latencies, 0.99);
        std::printf("latency inject -> %s over %zu reports: median %.3f ms (%.2f request "
                    "round trips), p99 %.3f ms (%.2f), max %.3f ms\n",
                    bare ? "bare loop" : "OnEvent", latencies.size(), median * 1e3,
                    median / request, p99 * 1e3, p99 / request, Percentile(latencies, 1.0) * 1e3);
        Result(bare ? "bare_latency_median" : "pump_latency_median", median * 1e3, "ms");
        Result(bare ? "bare_latency_p99" : "pump_latency_p99", p99 * 1e3, "ms");
    }

    // Idle: the pump with a poll pending and no events.
    if (!latencyOnly) {
        control.Reset();
        auto driver = std::make_shared<CDriverVireo>();
        CountingDevice device;
        device.Attach(driver, true);
        Sleep(100);
        const double cpu0 = ProcessCpuSeconds(), t0 = Now();
        Sleep(static_cast<DWORD>(idleSeconds * 1000));
        const double cpu = ProcessCpuSeconds() - cpu0, wall = Now() - t0;
        driver->Close();
        std::printf("idle pump: %.3f s CPU over %.1f s with a poll pending (%.3f %% of one "
                    "core)\n",
                    cpu, wall, 100.0 * cpu / wall);
        Result("idle_pump_cpu", 100.0 * cpu / wall, "%");
    }
    control.Reset();
    return 0;
}
