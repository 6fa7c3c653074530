#pragma once
// The button assignment page: for each of the five buttons whether it is on and which action
// it runs, over the mouse picture with a hot spot per button; below, the custom actions
// themselves (new, delete, name, tip, kind) with the editor page of the action's kind.
// Everything changes the module's lists in memory only.
#include "language/CMultiLanguage.h"
#include "module/core/ModuleModel.h"
#include "module/pages/CPageCopyString.h"
#include "module/pages/CPageKeypress.h"
#include "module/pages/CPageLaunchApp.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinCheckBox.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinEdit.h"
#include "skin/CSkinStatic.h"

#include <string>

class CProfileVireo;

class CPageButtons : public CSkinDialog, public CMultiLanguage {
public:
    static constexpr int kButtons = 5;
    static constexpr UINT WM_ENABLE_ACTION_EDIT = WM_USER + 104;

    explicit CPageButtons(const ModuleModel& model);

    // Shows the current profile: each button's state and action, and button 1's action in
    // the editor.
    void RefreshFromProfile();
    // Stops a recording into its action as Stop Record does.
    void StopRecording();

    // Identifier of the action being edited; the editor pages work on it.
    std::wstring m_currentActionId;
    CPageKeypress m_pageKeypress;
    CPageCopyString m_pageCopyString;
    CPageLaunchApp m_pageLaunchApp;
    CSkinCheckBox m_hotSpot[kButtons];
    CSkinCheckBox m_checkButton[kButtons];
    CSkinComboBox m_comboAction[kButtons];
    CSkinButton m_btnNewAction;
    CSkinButton m_btnDeleteAction;
    CSkinCheckBox m_checkLeftHanded;
    CSkinStatic m_staticActionSettings;
    CSkinEdit m_editName;
    CSkinEdit m_editTip;
    CSkinStatic m_staticName;
    CSkinStatic m_staticTip;
    CSkinStatic m_staticActionType;
    CSkinComboBox m_comboActionType;
    // 0 keypress, 1 copy string, 2 launch application, -1 none shown.
    int m_shownEditor = -1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLanguageChanged() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    CProfileVireo* CurrentProfile() const;
    // The identifier an entry of a button's combo box stands for.
    static std::wstring EntryId(const CSkinComboBox& combo, int index);
    static int FindEntry(const CSkinComboBox& combo, const std::wstring& id);
    void SetUpCombo(CSkinComboBox& combo, int buttonWidth);
    void PlaceEditorPages();
    // 0 keypress, 1 copy string, 2 launch application.
    CActionEditorPage& Editor(int kind);
    void FillActionTypeCombo();
    bool DispatchCommand(WORD id, WORD code);

    void FillButtonCombo(int button);
    void SelectActionForEditing(const std::wstring& id);
    void ShowActionForEditing(const std::wstring& id);
    void ShowNameAndTip(CCustomAction* action);
    void EnableActionEditing(bool on);
    void OnButtonCheck(int button);
    void OnButtonActionChanged(int button);
    void OnActionTypeChanged();
    void OnNewAction();
    void OnDeleteAction();
    void OnNameChanged();
    void OnTipChanged();
    void OnSkinHover(bool enter, HWND control);

    ModuleModel m_model;
    // True while the page itself sets the name field.
    bool m_settingName = false;
};
