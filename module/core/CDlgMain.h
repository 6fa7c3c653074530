#pragma once
// The module window and the object the host talks to: three tabs over three pages, Save and
// Restore, and the mouse's device part with its reactions. Records of the mouse reach the
// reactions on this window's thread through the hand-off; actions run on the action runner.
#include "module/core/CDeviceReactions.h"
#include "module/core/CForegroundFollower.h"
#include "module/core/CProfileExchangeBar.h"
#include "module/core/IGamingModuleImpl.h"
#include "module/core/IReactionWindow.h"
#include "module/core/resource.h"
#include "module/pages/CPageButtons.h"
#include "module/pages/CPageSettings.h"
#include "module/pages/CPageStatistics.h"
#include "platform/Win32ForegroundWatch.h"
#include "platform/Win32HighResolutionPause.h"
#include "platform/Win32InputShell.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinRadioBox.h"

#include <memory>

class CActionRunner;
class CEventHandoff;
class CUiTaskQueue;

class CDlgMain : public CSkinDialog,
                 public IGamingModuleImpl<CDlgMain>,
                 public CDeviceReactions,
                 private IReactionWindow,
                 private IProfileSwitch {
public:
    enum { IDD = IDD_VIREO_MAIN };
    static constexpr int kPageCount = 3;

    static constexpr int kVendorId = 0x0C45;
    static constexpr int kProductId = 0x7303;

    CDlgMain();
    ~CDlgMain() override;

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

    void ShowCurrentProfile();
    void OnSave();
    void OnRestore();
    void ShowPage(int page);
    // Programs seen in front during the last minute, newest first.
    std::vector<std::wstring> RecentPrograms() const;

    CSkinRadioBox m_tab[kPageCount];
    CSkinButton m_btnSave;
    CSkinButton m_btnRestore;
    // Export… and Import… beside Save, with their message line and the import's question.
    CProfileExchangeBar m_exchange;
    CPageButtons m_pageButtons;
    CPageSettings m_pageSettings;
    CPageStatistics m_pageStatistics;
    int m_curPage = -1;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLanguageChanged() override;
    // Enter and Escape never hide the window.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void PlaceControls();
    void CreatePages();
    CDialog* Page(int page);
    void OpenChannel();
    // Before any part of the window goes: the recording ends, the runner stops (its held keys
    // released), the channel closes and no record reaches the reactions any more.
    void ShutDown();
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    // The pages' unsaved values into this profile and the actions, without the store.
    void CommitEdits(const std::wstring& profileId);

    // IReactionWindow
    void NotifyProfileChanged() override;
    void ShowDeviceSettings(int cpiIndex, int reportRateIndex) override;
    void RequestSave() override;
    void PostStatUpdate(int counter, int count) override;

    // IProfileSwitch
    bool ActionsRunning() const override;
    void SwitchToProfile(const std::wstring& id) override;

    platform::Win32InputShell m_shell;
    platform::Win32HighResolutionPause m_pause;
    std::unique_ptr<CActionRunner> m_runner;
    std::shared_ptr<CUiTaskQueue> m_uiQueue;
    std::unique_ptr<CEventHandoff> m_handoff;
    std::unique_ptr<platform::Win32ForegroundWatch> m_foreground;
    std::unique_ptr<CForegroundFollower> m_follower;
};
