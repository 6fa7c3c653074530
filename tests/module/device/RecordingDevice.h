#pragma once
// A device object for tests: records every OnEvent call.
#include "module/device/CDevice.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

class RecordingDevice : public CDevice {
public:
    explicit RecordingDevice(std::wstring name = L"Norvale Kestrel Mouse",
                             std::int32_t vendorId = 0x0C45, std::int32_t productId = 0x7303) {
        m_deviceName = std::move(name);
        m_vendorId = vendorId;
        m_productId = productId;
    }

    // Detaches before its own members go: the reader thread may be dispatching.
    ~RecordingDevice() override { Detach(); }

    void OnEvent(const EventRecord* record, int size) override {
        std::lock_guard<std::mutex> lock(m_lock);
        m_events.push_back(*record);
        m_sizes.push_back(size);
        m_changed.notify_all();
    }

    bool WaitForEvents(std::size_t count,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, timeout, [&] { return m_events.size() >= count; });
    }

    std::vector<EventRecord> Events() const {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_events;
    }
    std::vector<int> Sizes() const {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_sizes;
    }

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<EventRecord> m_events;
    std::vector<int> m_sizes;
};
