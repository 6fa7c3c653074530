#pragma once
// Edits the program of a launch action: a path field and the file-open dialog.
#include "module/pages/CActionEditorPage.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinEdit.h"
#include "skin/CSkinStatic.h"

class CPageLaunchApp : public CActionEditorPage {
public:
    CPageLaunchApp(CCustomActionList& actions, const std::wstring& currentActionId);

    // Shows the current action's program path.
    void Exchange();

    CSkinButton m_btnBrowse;
    CSkinStatic m_staticApplication;
    CSkinStatic m_staticDescription;
    CSkinStatic m_staticDescriptionText;
    CSkinEdit m_editPath;
    // Captions in the current language; the button page re-captions its pages with it.
    void OnLanguageChanged() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPathChanged();
    void OnBrowse();
};
