#include "module/device/CDeviceVireo.h"

#include <algorithm>
#include <cstring>
#include <utility>

std::atomic<std::uint8_t> g_buttonPassMask{0x03};

namespace device {

std::array<std::uint8_t, 13> MakeButtonMaskPacket(std::int32_t productId, std::int32_t vendorId,
                                                  std::uint8_t passMask) {
    return {static_cast<std::uint8_t>(productId & 0xFF),
            static_cast<std::uint8_t>((productId >> 8) & 0xFF),
            static_cast<std::uint8_t>(vendorId & 0xFF),
            static_cast<std::uint8_t>((vendorId >> 8) & 0xFF),
            0xFF,
            0x00,
            0x01,
            0x02,
            0xFF,
            passMask,
            0xFF,
            0xFF,
            0xFF};
}

} // namespace device

CDeviceVireo::CDeviceVireo() {
    m_vendorId = device::kKestrelVendorId;
    m_productId = device::kKestrelProductId;
    m_deviceName = L"Norvale Kestrel Mouse";
}

CDeviceVireo::~CDeviceVireo() {
    if (m_driver)
        m_driver->Close();
}

void CDeviceVireo::Attach(std::shared_ptr<CDriver> driver, bool attach) {
    CDevice::Attach(std::move(driver), attach);
}

void CDeviceVireo::SetButtonsBlocked(std::uint8_t buttonBits, std::uint8_t blockedBits) {
    std::uint8_t old = g_buttonPassMask.load();
    std::uint8_t mask = 0;
    do {
        mask = static_cast<std::uint8_t>((old & ~buttonBits) | (buttonBits & ~blockedBits));
    } while (!g_buttonPassMask.compare_exchange_weak(old, mask));
    const auto packet = device::MakeButtonMaskPacket(m_productId, m_vendorId, mask);
    if (m_driver) {
        auto handle = m_driver->Handle();
        CDriver::DeviceIoControlSync(handle.get(), device::IOCTL_SET_BUTTON_MASK, packet.data(),
                                     static_cast<std::uint32_t>(packet.size()), nullptr, 0);
    }
}

void CDeviceVireo::SetButtonBlocked(std::uint8_t buttonBits, bool blocked) {
    std::uint8_t mask;
    if (blocked)
        mask = g_buttonPassMask.fetch_and(static_cast<std::uint8_t>(~buttonBits)) &
               static_cast<std::uint8_t>(~buttonBits);
    else
        mask = g_buttonPassMask.fetch_or(buttonBits) | buttonBits;
    const auto packet = device::MakeButtonMaskPacket(m_productId, m_vendorId, mask);
    if (m_driver) {
        auto handle = m_driver->Handle();
        CDriver::DeviceIoControlSync(handle.get(), device::IOCTL_SET_BUTTON_MASK, packet.data(),
                                     static_cast<std::uint32_t>(packet.size()), nullptr, 0);
    }
}

std::shared_ptr<CDriverVireo> CDeviceVireo::VireoDriver() const {
    return std::dynamic_pointer_cast<CDriverVireo>(m_driver);
}

device::RecordClass CDeviceVireo::ClassifyRecord(const EventRecord* record, int size) {
    device::RecordClass result;
    if (!record || size < static_cast<int>(sizeof(EventRecord)))
        return result;
    if (record->kind == device::kRecordKindReply) {
        const std::uint8_t code = record->data[0];
        std::shared_ptr<CDriverVireo> driver = VireoDriver();
        if (code == device::kReplySettingsReport) {
            // n − 1 bytes from data[1], but never more than the 7 of the state.
            const int take = std::clamp(static_cast<int>(record->size) - 1, 0, 7);
            if (driver) {
                CDriverVireo::DeviceState state = driver->GetState();
                std::memcpy(state.data(), record->data + 1, static_cast<std::size_t>(take));
                driver->SetState(state);
            }
            result.kind = device::RecordClass::SettingsReport;
        } else if (code == device::kReplySettingsEcho) {
            result.kind = device::RecordClass::SettingsEcho;
            if (driver) {
                const CDriverVireo::DeviceState state = driver->GetState();
                if (std::memcmp(state.data(), record->data + 1, state.size()) != 0) {
                    driver->SendSettings();
                    result.resent = true;
                }
            }
        }
        return result;
    }
    if (record->size == 4) {
        result.kind = device::RecordClass::ButtonReport;
        result.buttons = record->data[0];
    }
    return result;
}
