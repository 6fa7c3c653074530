#pragma once
// Base of every device object that receives a driver channel's records.
#include "module/device/DriverProtocol.h"

#include <boost/operators.hpp>

#include <cstdint>
#include <memory>
#include <string>

class CDriver;

class CDevice
    : boost::less_than_comparable<CDevice,
                                  boost::equivalent<CDevice, boost::equality_comparable<CDevice>>> {
public:
    using EventRecord = device::EventRecord;

    CDevice() = default;
    // As Detach(). A class whose OnEvent is called on the reader thread (no poster on the
    // channel) calls Detach() in its own destructor, so that no record reaches it once its
    // members are gone: Detach waits for a running OnEvent under the channel's map lock.
    virtual ~CDevice();

    CDevice(const CDevice&) = delete;
    CDevice& operator=(const CDevice&) = delete;

    // Unregisters from the attached driver (if any) and drops it.
    virtual void Detach();
    // attach == false: nothing. Otherwise takes `driver` (the previous driver, if another,
    // forgets this device) and, when not null, registers with it under m_deviceName.
    virtual void Attach(std::shared_ptr<CDriver> driver, bool attach);
    // One record of the driver; `size` is 24. Called on the thread that dispatches the
    // driver's records (CDriver::Dispatch).
    virtual void OnEvent(const EventRecord* record, int size) = 0;
    // Default: nothing (CDeviceVireo sends the pass mask).
    virtual void SetButtonBlocked(std::uint8_t buttonBits, bool blocked);

    // Ordering for the boost.operators mix-ins; nothing in the module compares devices.
    bool operator<(const CDevice& other) const { return m_deviceName < other.m_deviceName; }

    std::int32_t m_vendorId = 0;
    std::int32_t m_productId = 0;
    std::uint8_t m_connected = 0;
    std::wstring m_deviceName =
        L"Unkown"; // sic: the base's name until a concrete class sets its own
    std::shared_ptr<CDriver> m_driver;
};
