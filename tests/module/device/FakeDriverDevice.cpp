#include "tests/module/device/FakeDriverDevice.h"

#include <algorithm>
#include <cstring>

namespace {

class FakeHandle : public platform::IDriverHandle {
public:
    explicit FakeHandle(std::shared_ptr<FakeDriverDevice::State> state)
        : m_state(std::move(state)) {}
    ~FakeHandle() override {
        std::lock_guard<std::mutex> lock(m_state->lock);
        --m_state->liveHandles;
        m_state->changed.notify_all();
    }

    platform::IoResult Control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                               std::uint32_t outSize) override {
        using platform::IoStatus;
        std::unique_lock<std::mutex> lock(m_state->lock);
        switch (code) {
        case device::IOCTL_POLL_EVENTS: {
            if (outSize < 2)
                return {IoStatus::Failed, 0};
            if (m_state->pollsFailAtOnce) {
                ++m_state->polls;
                m_state->changed.notify_all();
                return {IoStatus::Failed, 0};
            }
            const unsigned epoch = m_cancelEpoch;
            ++m_state->pendingPolls;
            m_state->maxPendingPolls = std::max(m_state->maxPendingPolls, m_state->pendingPolls);
            m_state->changed.notify_all();
            m_state->changed.wait(lock, [&] {
                return !m_state->queue.empty() || m_cancelEpoch != epoch ||
                       m_state->pollsFailAtOnce;
            });
            --m_state->pendingPolls;
            ++m_state->polls;
            m_state->changed.notify_all();
            if (m_cancelEpoch != epoch || m_state->pollsFailAtOnce)
                return {IoStatus::Aborted, 0};
            FakeDriverDevice::Delivery delivery = std::move(m_state->queue.front());
            m_state->queue.erase(m_state->queue.begin());
            if (delivery.pollFails)
                return {IoStatus::Aborted, 0};
            std::memcpy(out, &delivery.status, 2);
            if (delivery.status == device::kPollEventsReady)
                m_current.push_back(std::move(delivery));
            return {IoStatus::Done, 2};
        }
        case device::IOCTL_READ_EVENTS: {
            ++m_state->reads;
            m_state->changed.notify_all();
            if (m_current.empty()) {
                std::memset(out, 0, outSize);
                return {IoStatus::Done, outSize};
            }
            FakeDriverDevice::Delivery delivery = std::move(m_current.front());
            m_current.erase(m_current.begin());
            if (delivery.readFails)
                return {IoStatus::Failed, 0};
            std::memset(out, 0, outSize);
            std::memcpy(out, delivery.block.data(),
                        std::min<std::size_t>(outSize, delivery.block.size()));
            return {IoStatus::Done, std::min(outSize, delivery.returnedBytes)};
        }
        case device::IOCTL_SEND_REPORT: {
            if (inSize != sizeof(device::SendReportPacket))
                return {IoStatus::Failed, 0};
            device::SendReportPacket packet;
            std::memcpy(&packet, in, sizeof packet);
            m_state->reports.push_back(packet);
            auto responder = m_state->responder;
            m_state->changed.notify_all();
            lock.unlock();
            if (responder)
                responder(packet);
            if (out && outSize >= sizeof packet)
                std::memcpy(out, &packet, sizeof packet);
            return {IoStatus::Done, outSize};
        }
        case device::IOCTL_SET_BUTTON_MASK: {
            const auto* bytes = static_cast<const std::uint8_t*>(in);
            m_state->masks.emplace_back(bytes, bytes + inSize);
            m_state->changed.notify_all();
            return {IoStatus::Done, 0};
        }
        default:
            return {IoStatus::Failed, 0};
        }
    }

    void CancelAll() override {
        std::lock_guard<std::mutex> lock(m_state->lock);
        ++m_cancelEpoch;
        m_state->changed.notify_all();
    }

private:
    std::shared_ptr<FakeDriverDevice::State> m_state;
    unsigned m_cancelEpoch = 0; // guarded by m_state->lock
    std::vector<FakeDriverDevice::Delivery> m_current;
};

} // namespace

std::shared_ptr<platform::IDriverHandle> FakeDriverDevice::Open(const std::wstring& path) {
    std::lock_guard<std::mutex> lock(m_state->lock);
    m_state->openedPaths.push_back(path);
    if (!m_state->openable.count(path))
        return nullptr;
    ++m_state->opens;
    ++m_state->liveHandles;
    m_state->changed.notify_all();
    return std::make_shared<FakeHandle>(m_state);
}

void FakeDriverDevice::AllowPath(const std::wstring& path) {
    std::lock_guard<std::mutex> lock(m_state->lock);
    m_state->openable.insert(path);
}

void FakeDriverDevice::Queue(Delivery delivery) {
    std::lock_guard<std::mutex> lock(m_state->lock);
    m_state->queue.push_back(std::move(delivery));
    m_state->changed.notify_all();
}

void FakeDriverDevice::QueueRecords(const std::vector<device::EventRecord>& records) {
    device::EventBlock block{};
    block.count = static_cast<std::int32_t>(records.size());
    for (std::size_t i = 0; i < records.size() && i < 32; ++i)
        block.records[i] = records[i];
    Delivery delivery;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&block);
    delivery.block.assign(bytes, bytes + sizeof block);
    Queue(std::move(delivery));
}

void FakeDriverDevice::QueueStatus(std::uint16_t status) {
    Delivery delivery;
    delivery.status = status;
    Queue(std::move(delivery));
}

void FakeDriverDevice::SetPollsFailAtOnce(bool fail) {
    std::lock_guard<std::mutex> lock(m_state->lock);
    m_state->pollsFailAtOnce = fail;
    m_state->changed.notify_all();
}

void FakeDriverDevice::SetReportResponder(
    std::function<void(const device::SendReportPacket&)> responder) {
    std::lock_guard<std::mutex> lock(m_state->lock);
    m_state->responder = std::move(responder);
}

std::vector<device::SendReportPacket> FakeDriverDevice::SentReports() const {
    std::lock_guard<std::mutex> lock(m_state->lock);
    return m_state->reports;
}

std::vector<std::vector<std::uint8_t>> FakeDriverDevice::MaskPackets() const {
    std::lock_guard<std::mutex> lock(m_state->lock);
    return m_state->masks;
}

#define FAKE_COUNTER(name, field)                                                                  \
    int FakeDriverDevice::name() const {                                                           \
        std::lock_guard<std::mutex> lock(m_state->lock);                                           \
        return m_state->field;                                                                     \
    }
FAKE_COUNTER(Opens, opens)
FAKE_COUNTER(Polls, polls)
FAKE_COUNTER(Reads, reads)
FAKE_COUNTER(PendingPolls, pendingPolls)
FAKE_COUNTER(MaxPendingPolls, maxPendingPolls)
FAKE_COUNTER(LiveHandles, liveHandles)
#undef FAKE_COUNTER

std::vector<std::wstring> FakeDriverDevice::OpenedPaths() const {
    std::lock_guard<std::mutex> lock(m_state->lock);
    return m_state->openedPaths;
}

bool FakeDriverDevice::WaitUntil(const std::function<bool()>& predicate,
                                 std::chrono::milliseconds timeout) {
    // The predicate uses the public accessors, which take the lock themselves: poll.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::unique_lock<std::mutex> lock(m_state->lock);
        m_state->changed.wait_for(lock, std::chrono::milliseconds(2));
    }
    return true;
}

device::EventRecord MakeRecord(std::uint16_t vendorId, std::uint16_t productId, std::uint8_t kind,
                               std::vector<std::uint8_t> data, int n) {
    device::EventRecord record{};
    record.vendorId = vendorId;
    record.productId = productId;
    record.kind = kind;
    record.size = static_cast<std::uint8_t>(n >= 0 ? n : static_cast<int>(data.size()));
    std::memcpy(record.data, data.data(), std::min<std::size_t>(data.size(), 16));
    return record;
}

device::EventRecord MakeButtonReport(std::uint8_t buttons) {
    return MakeRecord(0x0C45, 0x7303, 0x01, {buttons, 0, 0, 0});
}

device::EventRecord MakeReply(std::uint8_t code, const std::vector<std::uint8_t>& payload, int n) {
    std::vector<std::uint8_t> data{code};
    data.insert(data.end(), payload.begin(), payload.end());
    return MakeRecord(0x0C45, 0x7303, device::kRecordKindReply, data, n);
}
