#pragma once
// What the mouse reactions need of the module window. The window realises each with its own
// messages: the host's refresh, its Save button, the settings page, the statistics page.
class IReactionWindow {
public:
    // The current profile changed on the mouse's initiative: the host re-reads the list.
    virtual void NotifyProfileChanged() = 0;
    // Shows the mouse's CPI level and report rate (indexes) on the settings page, so that the
    // Save that follows keeps them.
    virtual void ShowDeviceSettings(int cpiIndex, int reportRateIndex) = 0;
    // Saves as the Save button does: the store, then the profile to the mouse.
    virtual void RequestSave() = 0;
    // A release counter changed (device order: left, right, middle, button 4, button 5).
    virtual void PostStatUpdate(int counter, int count) = 0;

protected:
    ~IReactionWindow() = default;
};
