#pragma once
// The filter-driver channel and its event pump: owns the device, a reader thread that polls it and
// reads its event blocks, and a guarded registry of device objects that receive the records by
// vendor/product id.
//
// Threads. The reader thread hands each record to the channel's poster when one is set
// (the module window posts it to itself and calls Dispatch on its user-interface thread,
// so that one thread owns the model); without a poster it calls Dispatch itself. Close() cancels
// the reader's pending request and waits for the thread before the device is let go, so after
// Close() returns no record is dispatched by the reader thread any more.
#include "module/device/CDevice.h"
#include "module/device/DriverProtocol.h"
#include "platform/IDriverDevice.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// Receives the records of the reader thread when set on a channel. Post runs on the reader
// thread and must not block on the thread that calls CDriver::Close.
class IEventPoster {
public:
    virtual ~IEventPoster() = default;
    virtual void Post(const device::EventRecord& record) = 0;
};

class CDriver {
public:
    using EventRecord = device::EventRecord;

    // `system` opens devices (null: the operating system's); with a non-null path the
    // device is opened at once.
    explicit CDriver(const wchar_t* path = nullptr,
                     std::shared_ptr<platform::IDriverDevice> system = nullptr);
    // Not virtual: a CDriver is owned through a shared pointer that knows its class.
    ~CDriver();

    CDriver(const CDriver&) = delete;
    CDriver& operator=(const CDriver&) = delete;

    // True when the device is open afterwards. The open path again: true, nothing done.
    virtual bool Open(const wchar_t* path);
    // Stops the reader thread (cancel, wait) and lets the device go. Safe to call twice.
    virtual void Close();

    void Register(CDevice* device);
    // With a device: removes the entry under its name (whatever it points to); null: all.
    void Unregister(CDevice* device);
    CDevice* FindDevice(std::int32_t vendorId, std::int32_t productId);
    // Removes every entry that points to `device` (used when a device re-attaches
    // elsewhere, so no channel keeps a pointer to it).
    void Forget(CDevice* device);

    // IOCTL_SEND_REPORT with the 22-byte packet around `payload`; false when the request
    // fails at once (e.g. the device is not open).
    bool SendReport(const std::uint8_t payload[8]);

    // One control request waited to completion. No handle, or a failure at once: false.
    // Otherwise true (how a pending request ended is not examined).
    static bool DeviceIoControlSync(platform::IDriverHandle* handle, std::uint32_t code,
                                    const void* in, std::uint32_t inSize, void* out,
                                    std::uint32_t outSize, std::uint32_t* bytesReturned = nullptr);

    // The open device (null when closed); a copy keeps it valid while a request runs.
    std::shared_ptr<platform::IDriverHandle> Handle() const;
    bool IsOpen() const { return Handle() != nullptr; }
    std::wstring DevicePath() const;

    // Where the reader thread's records go (null: Dispatch on the reader thread). Set it
    // before Open, or while the channel is closed.
    void SetEventPoster(IEventPoster* poster) { m_poster.store(poster); }
    // Finds the device object of `record` and calls its OnEvent (size 24); under the device
    // map's lock, so a device that is being detached is never called half-destroyed.
    void Dispatch(const EventRecord& record);

    // For tests: how many reader threads this channel has started, and whether one runs.
    int ReaderThreadsStarted() const { return m_threadsStarted.load(); }
    bool ReaderRunning() const { return m_thread.joinable(); }

private:
    // What one reader thread and the closing thread share; each thread has its own.
    struct ReaderState {
        std::atomic<bool> stop{false};
        std::mutex lock;
        std::condition_variable signal;
        bool done = false;
    };

    void ReaderThread(std::shared_ptr<platform::IDriverHandle> handle,
                      std::shared_ptr<ReaderState> state);

    std::shared_ptr<platform::IDriverDevice> m_system;

    mutable std::mutex m_handleLock;                    // guards m_hDevice, m_devicePath
    std::shared_ptr<platform::IDriverHandle> m_hDevice; // null when closed
    std::wstring m_devicePath;

    std::recursive_mutex m_devicesLock; // OnEvent may (de)register on the same thread
    std::map<std::wstring, CDevice*> m_devices;

    std::thread m_thread; // the reader thread; not joinable when none
    std::shared_ptr<ReaderState> m_reader;
    std::atomic<int> m_threadsStarted{0};
    std::atomic<IEventPoster*> m_poster{nullptr};
};
