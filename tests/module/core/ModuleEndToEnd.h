#pragma once
// Fixture of the end-to-end tests: the real host with the real module and the simulated
// mouse, the store kept aside for the test, and ways to reach the windows cross-process.
#include "module/profiles/ProfileStore.h"
#include "tests/module/core/HostProcess.h"
#include "tests/platform/CurrentUserKeyGuard.h"
#include "tools/simmouse/SimMouseClient.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

extern const wchar_t kStorePath[];

// Stores the five built-in actions and a keypress macro `id` that presses vk, holds it for
// holdMs and lets it go.
void StoreOneKeyMacro(platform::IKeyValueStore& root, const wchar_t* id, const wchar_t* name,
                      std::uint16_t vk, std::uint32_t holdMs = 0);

// Polls a condition another process makes true; false when it never does within the bound.
bool WaitUntil(const std::function<bool()>& done, DWORD boundMs = 30000);

class ModuleEndToEnd : public testing::Test {
protected:
    testing_support::CurrentUserKeyGuard m_storeGuard{kStorePath};
    simmouse::Device m_mouse;
    HWND m_host = nullptr;
    HWND m_module = nullptr;

    void StartHost(HostProcess& host);
    HWND FindModuleWindow() const;
    // The module's page that holds a control with this id.
    HWND Page(int childId) const;
    HWND PageItem(int childId) const { return GetDlgItem(Page(childId), childId); }
    void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    void ClickModule(int id) { Click(GetDlgItem(m_module, id)); }
    int CpiSlider() const;
    static std::wstring Text(HWND window);
    // Sets the mouse's own state and waits for the Save its report brings.
    void MouseReports(std::initializer_list<std::uint8_t> state);
    void Press(std::uint8_t button);
    SimMouseStatus Status();
    std::vector<SimMouseLogEntry> Log();
    // Counts of what the module sent: reports starting with `command`.
    int Reports(std::uint8_t command);
    // The host's lists sit inside their scroll frames.
    HWND HostList(int id) const;
    int HostProfileCount() const;
    struct Stored {
        CProfileList profiles;
        std::wstring currentId;
    };
    Stored ReadStore() const;
};
