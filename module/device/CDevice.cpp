#include "module/device/CDevice.h"

#include "module/device/CDriver.h"

#include <utility>

CDevice::~CDevice() {
    CDevice::Detach();
}

void CDevice::Detach() {
    if (m_driver) {
        m_driver->Unregister(this);
        m_driver.reset();
    }
}

void CDevice::Attach(std::shared_ptr<CDriver> driver, bool attach) {
    if (!attach)
        return;
    // Left registered, the previous driver would keep a pointer to this device after its
    // destruction, so it forgets this device here.
    if (m_driver && m_driver != driver)
        m_driver->Forget(this);
    m_driver = std::move(driver);
    if (m_driver)
        m_driver->Register(this);
}

void CDevice::SetButtonBlocked(std::uint8_t, bool) {}
