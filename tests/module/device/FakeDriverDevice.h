#pragma once
// In-process stand-in for the filter driver behind the driver-device seam: scripted polls
// and event blocks, a log of sent reports and mask packets, pending polls that complete
// when records are queued or when cancelled, and counters for what the channel did.
#include "module/device/DriverProtocol.h"
#include "platform/IDriverDevice.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class FakeDriverDevice : public platform::IDriverDevice {
public:
    // One completed poll and what the read after it returns.
    struct Delivery {
        std::uint16_t status = device::kPollEventsReady;
        std::vector<std::uint8_t> block; // raw bytes of the event block (may be short)
        std::uint32_t returnedBytes = sizeof(device::EventBlock);
        bool readFails = false;
        bool pollFails = false; // the pending poll completes with an error instead
    };

    std::shared_ptr<platform::IDriverHandle> Open(const std::wstring& path) override;

    void AllowPath(const std::wstring& path);
    void Queue(Delivery delivery);
    void QueueRecords(const std::vector<device::EventRecord>& records);
    void QueueStatus(std::uint16_t status);
    // While set, every poll fails (at once, or a pending one now): a driver refusing everything.
    void SetPollsFailAtOnce(bool fail);
    // Called (outside the fake's lock) for every IOCTL_SEND_REPORT packet.
    void SetReportResponder(std::function<void(const device::SendReportPacket&)> responder);

    std::vector<device::SendReportPacket> SentReports() const;
    std::vector<std::vector<std::uint8_t>> MaskPackets() const;
    int Opens() const;
    int Polls() const; // completed or cancelled polls
    int Reads() const;
    int PendingPolls() const;
    int MaxPendingPolls() const;
    int LiveHandles() const;
    std::vector<std::wstring> OpenedPaths() const;

    // Waits until `predicate` holds (checked under the fake's lock after each change).
    bool WaitUntil(const std::function<bool()>& predicate,
                   std::chrono::milliseconds timeout = std::chrono::seconds(5));

    struct State;

private:
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

struct FakeDriverDevice::State {
    mutable std::mutex lock;
    std::condition_variable changed;
    std::set<std::wstring> openable;
    std::vector<Delivery> queue;
    std::vector<device::SendReportPacket> reports;
    std::vector<std::vector<std::uint8_t>> masks;
    std::function<void(const device::SendReportPacket&)> responder;
    std::vector<std::wstring> openedPaths;
    bool pollsFailAtOnce = false;
    int opens = 0, polls = 0, reads = 0, pendingPolls = 0, maxPendingPolls = 0, liveHandles = 0;
};

// A record as the mouse sends it.
device::EventRecord MakeRecord(std::uint16_t vendorId, std::uint16_t productId, std::uint8_t kind,
                               std::vector<std::uint8_t> data, int n = -1);
device::EventRecord MakeButtonReport(std::uint8_t buttons);
device::EventRecord MakeReply(std::uint8_t code, const std::vector<std::uint8_t>& payload,
                              int n = -1);
