#pragma once
// What the foreground follower asks of the module window: whether an action is still running
// (a switch waits for it), and the switch itself.
#include <string>

class IProfileSwitch {
public:
    // True while an action runs or waits to run.
    virtual bool ActionsRunning() const = 0;
    // The profile becomes current: the mouse gets its settings and the host shows it.
    virtual void SwitchToProfile(const std::wstring& id) = 0;

protected:
    ~IProfileSwitch() = default;
};
