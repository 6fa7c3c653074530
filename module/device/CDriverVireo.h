#pragma once
// The channel bound to the Norvale Kestrel mouse: the mouse's 7-byte settings
// block, the read/write-settings commands, and the encodings they use.
#include "module/device/CDriver.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>

namespace device {

// Bytes 0..4: ButtonMode of profile buttons 0..4; byte 5: CPI level one-hot; byte 6: report
// rate one-hot.
using DeviceState = std::array<std::uint8_t, 7>;

enum ButtonMode : std::uint8_t {
    kModeNative = 0,
    kModeLaunchApplication = 1,
    kModeTextMacro = 2,
    kModeDisabled = 4,
    kModeKeypressMacro = 8,
};

// Profile button i (0 left, 1 middle, 2 right, 3 button 4, 4 button 5) → device bit.
constexpr std::uint8_t kProfileButtonBits[5] = {0x01, 0x04, 0x02, 0x08, 0x10};

constexpr wchar_t kQuillonDevicePath[] = L"\\\\.\\QuillonKeyboard";
constexpr std::int32_t kKestrelVendorId = 0x0C45;
constexpr std::int32_t kKestrelProductId = 0x7303;

constexpr std::uint8_t kReplySettingsReport = 0xAC;
constexpr std::uint8_t kReplySettingsEcho = 0xCB;
constexpr std::uint8_t kCommandReadSettings = 0xAB;
constexpr std::uint8_t kCommandWriteSettings = 0xCA;

// Read settings: AB 83 83 83 83 83 83 83.
constexpr std::uint8_t kReadSettingsPayload[8] = {0xAB, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83};
// Write settings: CA followed by the seven state bytes.
std::array<std::uint8_t, 8> MakeWriteSettingsPayload(const DeviceState& state);

// Index → one-hot byte: the low 8 bits of `index`, modulo 32, as the shift of an 8-bit 1
// (0..3 → 01 02 04 08, 8..31 → 0, 800 → 01).
std::uint8_t EncodeIndex(int index);
// One-hot byte → index: the lowest set bit among bits 0..3, else 0.
int DecodeIndex(std::uint8_t bits);

} // namespace device

class CDriverVireo : public CDriver {
public:
    using DeviceState = device::DeviceState;

    // Opens `path` at once; `system` null: the operating system's devices.
    explicit CDriverVireo(const wchar_t* path = device::kQuillonDevicePath,
                          std::shared_ptr<platform::IDriverDevice> system = nullptr);

    // m_state, read and written whole under its lock (the reader thread may hold an echo
    // comparison while the user-interface thread saves).
    DeviceState GetState() const;
    void SetState(const DeviceState& state);
    void SetStateByte(int index, std::uint8_t value);

    // Write settings: CA + m_state through IOCTL_SEND_REPORT.
    bool SendSettings();
    // Read settings: AB 83 83 83 83 83 83 83.
    bool SendReadSettings();

private:
    mutable std::mutex m_stateLock;
    DeviceState m_state{}; // all zero at construction
};
