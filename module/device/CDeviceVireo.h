#pragma once
// The Norvale Kestrel mouse as a device object: its identity, the pass mask of
// its buttons, and the classification of the records it sends. The module window derives
// from it and implements OnEvent: it calls ClassifyRecord first and reacts to the result.
#include "module/device/CDevice.h"
#include "module/device/CDriverVireo.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

// Device-order bits of the buttons whose native click passes to the system (initial 0x03).
extern std::atomic<std::uint8_t> g_buttonPassMask;

namespace device {

// The 13-byte input of IOCTL_SET_BUTTON_MASK.
std::array<std::uint8_t, 13> MakeButtonMaskPacket(std::int32_t productId, std::int32_t vendorId,
                                                  std::uint8_t passMask);

// What one record turned out to be.
struct RecordClass {
    enum Kind {
        Ignored,        // short record, unknown reply code, or a report that is not n = 4
        SettingsReport, // 0xAC: the driver's state now holds the mouse's (at most 7 bytes)
        SettingsEcho,   // 0xCB: compared with the driver's state; `resent` when it differed
        ButtonReport,   // input report with n = 4: `buttons` in device order
    };
    Kind kind = Ignored;
    std::uint8_t buttons = 0;
    bool resent = false;
};

} // namespace device

class CDeviceVireo : public CDevice {
public:
    CDeviceVireo();
    // If attached, closes the driver first (its reader thread has ended when this returns),
    // then the base detaches.
    ~CDeviceVireo() override;

    void Attach(std::shared_ptr<CDriver> driver, bool attach) override;
    // Clears (blocked) or sets the bits in g_buttonPassMask and sends the mask packet.
    void SetButtonBlocked(std::uint8_t buttonBits, bool blocked) override;
    // Of buttonBits, clears those in blockedBits and sets the others, in one mask packet.
    void SetButtonsBlocked(std::uint8_t buttonBits, std::uint8_t blockedBits);

    // classification of one record, with its effect on the channel: a settings
    // report is copied into the driver's state, a differing echo re-sends write settings.
    device::RecordClass ClassifyRecord(const EventRecord* record, int size);

    // The attached driver when it is a CDriverVireo, else null.
    std::shared_ptr<CDriverVireo> VireoDriver() const;
};
