#pragma once
// The mouse as the module reacts to it: the current profile turned into the mouse's and the
// driver's state, a settings report turned into the matching (or a new) profile, and button
// releases counted and turned into actions. Records reach OnEvent on the thread that owns the
// model (the module window posts them to itself).
#include "module/actions/IActionQueue.h"
#include "module/core/IReactionWindow.h"
#include "module/core/ModuleModel.h"
#include "module/device/CDeviceVireo.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class CDeviceReactions : public CDeviceVireo {
public:
    explicit CDeviceReactions(const ModuleModel& model);
    ~CDeviceReactions() override;

    // Where the reactions send the window's messages and the actions; both must outlive the
    // device (or be unbound with null first).
    void BindReactions(IReactionWindow* window, IActionQueue* actions);

    // The current profile into the driver's state and pass mask, then write settings. The mask
    // goes as one packet per button, or, where the wait counts (a profile switch), as one
    // packet with the same end state.
    enum class MaskPackets { EachButton, One };
    void ApplyProfileToDevice(MaskPackets packets = MaskPackets::EachButton);
    void OnEvent(const EventRecord* record, int size) override;

    std::optional<std::wstring> FindProfileForDeviceState() const;
    bool ProfileMatchesButton(const CProfileVireo& profile, int button,
                              std::uint32_t expectedType) const;
    std::wstring CreateProfileFromDeviceState();

    std::uint8_t m_lastButtons = 0;
    int m_statRunning = 0;
    std::array<int, 5> m_statCount{};

private:
    void OnSettingsReported();
    void OnButtonReport(std::uint8_t buttons);
    std::optional<std::uint32_t> ActionType(const std::wstring& actionId) const;
    std::uint8_t ModeOfButton(int button) const;

    ModuleModel m_model;
    IReactionWindow* m_window = nullptr;
    IActionQueue* m_actionQueue = nullptr;
};
