#pragma once
// The host main window: the served devices and the selected device's profiles, the place
// where that device's module shows its window, and the window's life in the notification
// area with the exit question.
#include "host/CInterfaceCounts.h"
#include "host/CProfileIds.h"
#include "host/CProfileListBox.h"
#include "host/CTrayIcon.h"
#include "host/DeviceNotificationHandle.h"
#include "host/resource.h"
#include "language/CMultiLanguage.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinListBox.h"
#include "skin/CSkinStatic.h"

#include <string>
#include <vector>

struct IGamingModule;

class CGearhostDlg : public CSkinDialog, public CMultiLanguage {
public:
    enum { IDD = IDD_GEARHOST_DIALOG };

    explicit CGearhostDlg(CWnd* parent = nullptr);

    // Registers for HID interface notifications, then lists the interfaces present.
    void RegisterForDevices();
    // Feeds every present interface of interfaceClass (null: HID) to OnDeviceArrival.
    void EnumerateDevices(const GUID* interfaceClass);
    void OnDeviceArrival(const wchar_t* path);
    void OnDeviceRemoval(const wchar_t* path);

    // Shows the module window and the profiles of the selected device; also the refresh.
    void OnDeviceSelChange();
    // Tells the module which profile is selected now (and which one no longer is).
    void OnProfileSelChange();
    void FillProfileList(IGamingModule* module);
    void ClearProfileList();
    void LeaveDevice(IGamingModule* module);

    void SetTrayIcon(bool add);
    // The notification area the icon goes to; the system's unless set before the window.
    void SetNotifyArea(INotifyArea* area) { m_trayIcon.SetNotifyArea(area); }

    // Device-list index whose module window is shown; -1 for none.
    int m_nCurDevice = -1;
    // Profile-list index last passed to SelectProfile; -1 for none.
    int m_nCurProfile = -1;
    CInterfaceCounts m_interfaceCounts;
    UniqueDeviceNotification m_hDevNotify;
    // The window may be visible; 0: it lives in the notification area.
    int m_bShown = 0;
    // The exit question is open; the icon's menu is not offered meanwhile.
    int m_bAskingExit = 0;

    CSkinStatic m_stDevices;
    CSkinListBox m_listDevice;
    CSkinStatic m_stProfiles;
    CProfileListBox m_listProfile;
    CSkinButton m_btnNew;
    CSkinButton m_btnDelete;
    CSkinStatic m_stNoDevice;
    CSkinComboBox m_cbLanguage;
    CSkinButton m_btnMinimize;
    CSkinButton m_btnHide;
    // The identifiers the profile list's items point at.
    CProfileIds m_profileIds;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLanguageChanged() override;
    // Enter and Escape never close the window.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void PlaceControls();
    void SetUpLanguageCombo();
    void CreateModuleWindows();
    void OnDeviceChange(WPARAM event, LPARAM data);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    void OnNewProfile();
    void OnDeleteProfile();
    void OnLanguageSelChange();
    void OnProfileEdited(WPARAM index, LPARAM list);
    void OnPaintMinimized();

    void OnTrayNotify(WPARAM id, LPARAM event);
    void ShowTrayMenu();
    void OnExit();
    void ShowFromTray();
    void HideToTray();
    void UpdateProfileButtons();
    void ShowNoDeviceTextWhenEmpty();

    static const std::vector<IGamingModule*>& Modules();
    // The first module, in load order, whose pair is key; null when none serves it.
    static IGamingModule* ModuleServing(const std::wstring& key);
    void ShowModuleWindow(IGamingModule* module, bool show);

    HWND DeviceList() const { return m_listDevice.m_hWnd; }
    int DeviceCount() const;
    int SelectedDevice() const;
    void SelectDevice(int index);
    IGamingModule* DeviceModule(int index) const;
    int FindDevice(IGamingModule* module) const;
    void AddDevice(IGamingModule* module);
    // Deletes the item and keeps m_nCurDevice on the shown device; a removed shown device
    // takes its module window and the profiles with it.
    void DeleteDevice(int index);

    int ProfileCount() const;
    // The identifier of profile item index; null when there is none.
    const wchar_t* ProfileId(int index) const;
    int AppendProfile(const wchar_t* name, const wchar_t* id);

    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    CTrayIcon m_trayIcon;
};
