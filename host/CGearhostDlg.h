#pragma once
// The host main window: the list of served devices, kept in step with the HID interfaces
// that come and go, and the place where the selected device's module shows its window.
#include "framework/CDialogEx.h"
#include "framework/CListBox.h"
#include "host/CInterfaceCounts.h"
#include "host/DeviceNotificationHandle.h"
#include "host/resource.h"
#include "language/CMultiLanguage.h"

#include <string>
#include <vector>

struct IGamingModule;

class CGearhostDlg : public CDialogEx, public CMultiLanguage {
public:
    enum { IDD = IDD_GEARHOST_DIALOG };

    explicit CGearhostDlg(CWnd* parent = nullptr);

    // Registers for HID interface notifications, then lists the interfaces present.
    void RegisterForDevices();
    // Feeds every present interface of interfaceClass (null: HID) to OnDeviceArrival.
    void EnumerateDevices(const GUID* interfaceClass);
    void OnDeviceArrival(const wchar_t* path);
    void OnDeviceRemoval(const wchar_t* path);
    // Shows the module window of the selected device and hides the one shown before.
    void OnDeviceSelChange();

    // Device-list index whose module window is shown; -1 for none.
    int m_nCurDevice = -1;
    CInterfaceCounts m_interfaceCounts;
    UniqueDeviceNotification m_hDevNotify;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLanguageChanged() override;

private:
    void CreateModuleWindows();
    void OnDeviceChange(WPARAM event, LPARAM data);
    void ClearProfileList();
    void ShowNoDeviceTextWhenEmpty();

    static const std::vector<IGamingModule*>& Modules();
    // The first module, in load order, whose pair is key; null when none serves it.
    static IGamingModule* ModuleServing(const std::wstring& key);
    static void ShowModuleWindow(IGamingModule* module, bool show);

    HWND Control(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // The list itself: once a skinned list is wrapped, its id names the frame around it.
    HWND DeviceList() const { return m_listDevice.GetSafeHwnd(); }
    int DeviceCount() const;
    int SelectedDevice() const;
    void SelectDevice(int index);
    IGamingModule* DeviceModule(int index) const;
    int FindDevice(IGamingModule* module) const;
    void AddDevice(IGamingModule* module);
    // Deletes the item and keeps m_nCurDevice on the shown device; a removed shown device
    // takes its module window and the profiles with it.
    void DeleteDevice(int index);

    CListBox m_listDevice;
};
