#include "module/device/CDriverVireo.h"

#include <utility>

namespace device {

std::array<std::uint8_t, 8> MakeWriteSettingsPayload(const DeviceState& state) {
    std::array<std::uint8_t, 8> payload{};
    payload[0] = kCommandWriteSettings;
    for (std::size_t i = 0; i < state.size(); ++i)
        payload[i + 1] = state[i];
    return payload;
}

std::uint8_t EncodeIndex(int index) {
    const unsigned shift = (static_cast<unsigned>(index) & 0xFFu) % 32u;
    return static_cast<std::uint8_t>(1u << shift);
}

int DecodeIndex(std::uint8_t bits) {
    for (int i = 0; i < 4; ++i)
        if (bits & (1u << i))
            return i;
    return 0;
}

} // namespace device

CDriverVireo::CDriverVireo(const wchar_t* path, std::shared_ptr<platform::IDriverDevice> system)
    : CDriver(path, std::move(system)) {}

CDriverVireo::DeviceState CDriverVireo::GetState() const {
    std::lock_guard<std::mutex> lock(m_stateLock);
    return m_state;
}

void CDriverVireo::SetState(const DeviceState& state) {
    std::lock_guard<std::mutex> lock(m_stateLock);
    m_state = state;
}

void CDriverVireo::SetStateByte(int index, std::uint8_t value) {
    if (index < 0 || index >= static_cast<int>(m_state.size()))
        return;
    std::lock_guard<std::mutex> lock(m_stateLock);
    m_state[static_cast<std::size_t>(index)] = value;
}

bool CDriverVireo::SendSettings() {
    return SendReport(device::MakeWriteSettingsPayload(GetState()).data());
}

bool CDriverVireo::SendReadSettings() {
    return SendReport(device::kReadSettingsPayload);
}
