#pragma once
// The baseline the benchmarks hold the event pump against: the least a reader can do with
// the driver, a poll then reads of full blocks handing each record to a callback, with no
// device registry, no classification and no failure handling. The device is opened
// exclusively, so no channel may hold it while this loop runs.
#include "module/device/DriverProtocol.h"
#include "platform/IDriverDevice.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>

namespace simmouse {

class BareEventLoop {
public:
    using Callback = std::function<void(const device::EventRecord&)>;

    BareEventLoop(const std::wstring& path, Callback onRecord)
        : m_handle(platform::SystemDriverDevice()->Open(path)), m_onRecord(std::move(onRecord)) {
        if (m_handle)
            m_thread = std::thread([this] { Run(); });
    }
    ~BareEventLoop() {
        m_stop = true;
        // A request issued just after a cancel would pend for ever: cancel until the loop
        // has seen the stop.
        while (m_thread.joinable() && !m_done) {
            m_handle->CancelAll();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (m_thread.joinable())
            m_thread.join();
    }
    BareEventLoop(const BareEventLoop&) = delete;
    BareEventLoop& operator=(const BareEventLoop&) = delete;

    bool IsOpen() const { return m_handle != nullptr; }

private:
    void Run() {
        device::EventBlock block;
        while (!m_stop) {
            std::uint16_t status = 0;
            const platform::IoResult poll =
                m_handle->Control(device::IOCTL_POLL_EVENTS, nullptr, 0, &status, sizeof status);
            if (m_stop || poll.status != platform::IoStatus::Done || poll.bytes < sizeof status ||
                status != device::kPollEventsReady)
                continue;
            int count = device::kMaxRecordsPerBlock;
            while (count == device::kMaxRecordsPerBlock && !m_stop) {
                const platform::IoResult read =
                    m_handle->Control(device::IOCTL_READ_EVENTS, nullptr, 0, &block, sizeof block);
                if (read.status != platform::IoStatus::Done)
                    break;
                count = block.count < 0                             ? 0
                        : block.count > device::kMaxRecordsPerBlock ? device::kMaxRecordsPerBlock
                                                                    : block.count;
                for (int i = 0; i < count; ++i)
                    m_onRecord(block.records[i]);
            }
        }
        m_done = true;
    }

    std::shared_ptr<platform::IDriverHandle> m_handle;
    Callback m_onRecord;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

} // namespace simmouse
