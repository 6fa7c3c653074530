#pragma once
// The module window and the object the host talks to.
#include "framework/CDialogEx.h"
#include "module/core/CDeviceReactions.h"
#include "module/core/IGamingModuleImpl.h"
#include "module/core/resource.h"

// The window, the object the host talks to, and the mouse's device part with its reactions.
class CDlgMain : public CDialogEx, public IGamingModuleImpl<CDlgMain>, public CDeviceReactions {
public:
    enum { IDD = IDD_VIREO_MAIN };

    static constexpr int kVendorId = 0x0C45;
    static constexpr int kProductId = 0x7303;

    CDlgMain();

    const wchar_t* CopyProfile() override;
    void DeleteProfile(const wchar_t* id) override;
    void SelectProfile(const wchar_t* id) override;
    const wchar_t* GetProfileName(const wchar_t* id) override;
    void SetProfileName(const wchar_t* id, const wchar_t* name) override;
    const wchar_t* GetCurrentProfileID() override;
    int GetProfileCount() override;
    int GetProfileAt(int index, wchar_t* id, int idSize, wchar_t* name, int nameSize) override;
    void ReservedHook(void*) override {}
    void DeselectProfile(const wchar_t*) override {}
    const wchar_t* GetDeviceName() override;
    void GetDeviceIds(int* vid, int* pid) override;
    // Only 1 counts as connected; any nonzero value asks the mouse for its settings.
    void SetDeviceConnected(int connected) override;
};
