#include "module/device/CDriver.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

namespace device {

SendReportPacket MakeSendReportPacket(const std::uint8_t payload[8]) {
    SendReportPacket packet;
    std::memcpy(packet.payload, payload, sizeof packet.payload);
    return packet;
}

int UsableRecordCount(const EventBlock& block, std::size_t bytesReturned) {
    if (bytesReturned < offsetof(EventBlock, records) || block.count <= 0)
        return 0;
    const std::size_t covered =
        std::min(bytesReturned, sizeof(EventBlock)) - offsetof(EventBlock, records);
    const auto fitting = static_cast<std::int32_t>(covered / sizeof(EventRecord));
    return std::min({block.count, fitting, std::int32_t{kMaxRecordsPerBlock}});
}

} // namespace device

CDriver::CDriver(const wchar_t* path, std::shared_ptr<platform::IDriverDevice> system)
    : m_system(system ? std::move(system) : platform::SystemDriverDevice()) {
    if (path)
        Open(path); // CDriver::Open: no derived class is constructed yet
}

CDriver::~CDriver() {
    CDriver::Close();
    Unregister(nullptr);
}

bool CDriver::Open(const wchar_t* path) {
    const std::wstring wanted = path ? path : L"";
    {
        std::lock_guard<std::mutex> lock(m_handleLock);
        if (m_hDevice && wanted == m_devicePath)
            return true;
    }
    Close();
    std::shared_ptr<platform::IDriverHandle> handle = m_system->Open(wanted);
    if (!handle)
        return false;
    {
        std::lock_guard<std::mutex> lock(m_handleLock);
        m_hDevice = handle;
        m_devicePath = wanted;
    }
    m_reader = std::make_shared<ReaderState>();
    ++m_threadsStarted;
    m_thread = std::thread(&CDriver::ReaderThread, this, std::move(handle), m_reader);
    return true;
}

void CDriver::Close() {
    std::shared_ptr<platform::IDriverHandle> handle;
    {
        std::lock_guard<std::mutex> lock(m_handleLock);
        handle = std::move(m_hDevice);
        m_hDevice.reset();
    }
    if (m_thread.joinable()) {
        std::shared_ptr<ReaderState> state = std::move(m_reader);
        {
            // Under the lock, so a reader about to pause after a failed poll sees it.
            std::lock_guard<std::mutex> lock(state->lock);
            state->stop = true;
        }
        state->signal.notify_all();
        if (m_thread.get_id() == std::this_thread::get_id()) {
            // Closed from a record's OnEvent: the thread sees state->stop when that returns.
            if (handle)
                handle->CancelAll();
            m_thread.detach();
        } else {
            // Cancel until the thread has ended: a poll issued just after a cancel would
            // otherwise pend for ever.
            std::unique_lock<std::mutex> lock(state->lock);
            while (!state->done) {
                lock.unlock();
                if (handle)
                    handle->CancelAll();
                lock.lock();
                state->signal.wait_for(lock, std::chrono::milliseconds(5),
                                       [&state] { return state->done; });
            }
            lock.unlock();
            m_thread.join();
        }
    } else if (handle) {
        handle->CancelAll();
    }
    // The device closes when the last owner (here, or a request still running on another
    // thread) lets it go.
}

void CDriver::Register(CDevice* device) {
    if (!device)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_devicesLock);
    m_devices[device->m_deviceName] = device;
}

void CDriver::Unregister(CDevice* device) {
    std::lock_guard<std::recursive_mutex> lock(m_devicesLock);
    if (device)
        m_devices.erase(device->m_deviceName);
    else
        m_devices.clear();
}

void CDriver::Forget(CDevice* device) {
    std::lock_guard<std::recursive_mutex> lock(m_devicesLock);
    for (auto it = m_devices.begin(); it != m_devices.end();) {
        if (it->second == device)
            it = m_devices.erase(it);
        else
            ++it;
    }
}

CDevice* CDriver::FindDevice(std::int32_t vendorId, std::int32_t productId) {
    std::lock_guard<std::recursive_mutex> lock(m_devicesLock);
    for (const auto& entry : m_devices) {
        CDevice* device = entry.second;
        if (device->m_vendorId == vendorId && device->m_productId == productId)
            return device;
    }
    return nullptr;
}

bool CDriver::SendReport(const std::uint8_t payload[8]) {
    device::SendReportPacket packet = device::MakeSendReportPacket(payload);
    device::SendReportPacket answer = packet; // the same buffer comes back; ignored
    std::shared_ptr<platform::IDriverHandle> handle = Handle();
    return DeviceIoControlSync(handle.get(), device::IOCTL_SEND_REPORT, &packet, sizeof packet,
                               &answer, sizeof answer);
}

bool CDriver::DeviceIoControlSync(platform::IDriverHandle* handle, std::uint32_t code,
                                  const void* in, std::uint32_t inSize, void* out,
                                  std::uint32_t outSize, std::uint32_t* bytesReturned) {
    if (!handle)
        return false; // a closed channel fails like a request on an invalid handle
    platform::IoResult result = handle->Control(code, in, inSize, out, outSize);
    if (bytesReturned)
        *bytesReturned = result.bytes;
    return result.status != platform::IoStatus::Failed;
}

std::shared_ptr<platform::IDriverHandle> CDriver::Handle() const {
    std::lock_guard<std::mutex> lock(m_handleLock);
    return m_hDevice;
}

std::wstring CDriver::DevicePath() const {
    std::lock_guard<std::mutex> lock(m_handleLock);
    return m_devicePath;
}

void CDriver::Dispatch(const EventRecord& record) {
    std::lock_guard<std::recursive_mutex> lock(m_devicesLock);
    if (CDevice* device = FindDevice(record.vendorId, record.productId))
        device->OnEvent(&record, static_cast<int>(sizeof(EventRecord)));
}

void CDriver::ReaderThread(std::shared_ptr<platform::IDriverHandle> handle,
                           std::shared_ptr<ReaderState> state) {
    using platform::IoStatus;
    using namespace std::chrono_literals;
    constexpr std::chrono::milliseconds kLongestPause = 64ms;
    std::chrono::milliseconds pause = 0ms;
    device::EventBlock block;
    while (!state->stop) {
        std::uint16_t status = 0;
        platform::IoResult poll =
            handle->Control(device::IOCTL_POLL_EVENTS, nullptr, 0, &status, sizeof status);
        if (state->stop)
            break;
        if (poll.status != IoStatus::Done) {
            // Only Close ends the pump: a driver that fails a request may serve the next one.
            // The pause grows while the failures go on, so a driver refusing everything
            // costs no processor; Close ends it at once.
            pause = std::min(pause == 0ms ? 1ms : pause * 2, kLongestPause);
            std::unique_lock<std::mutex> lock(state->lock);
            state->signal.wait_for(lock, pause, [&state] { return state->stop.load(); });
            continue;
        }
        pause = 0ms;
        if (poll.bytes < sizeof status || status != device::kPollEventsReady)
            continue;
        // A full block means more records may be waiting: read again before the next poll
        // (one request per 32 records instead of two while the mouse floods).
        int count = device::kMaxRecordsPerBlock;
        while (count == device::kMaxRecordsPerBlock && !state->stop) {
            std::memset(&block, 0, sizeof block);
            platform::IoResult read =
                handle->Control(device::IOCTL_READ_EVENTS, nullptr, 0, &block, sizeof block);
            if (state->stop || read.status != IoStatus::Done)
                break; // a read failure only restarts the cycle
            count = device::UsableRecordCount(block, read.bytes);
            for (int i = 0; i < count && !state->stop; ++i) {
                if (IEventPoster* poster = m_poster.load())
                    poster->Post(block.records[i]);
                else
                    Dispatch(block.records[i]);
            }
        }
    }
    handle.reset();
    std::lock_guard<std::mutex> lock(state->lock);
    state->done = true;
    state->signal.notify_all();
}
