#pragma once
// Records and edits the keypress macro of the action the button page edits. A recording
// never outlives what shows it: hiding the list (this page or any window around it) or
// loading another action stops it as the Stop Record button does.
#include "framework/CVisibilityWatch.h"
#include "module/pages/CActionEditorPage.h"
#include "module/pages/CSkinMacroListBox.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinCheckBox.h"
#include "skin/CSkinStatic.h"

class CPageKeypress : public CActionEditorPage {
public:
    CPageKeypress(CCustomActionList& actions, const std::wstring& currentActionId);

    // save = false: shows the current action's steps (a recording first stops); save = true:
    // writes the rows into the action they were loaded from.
    void Exchange(bool save);
    // Stop Record: the recording ends into the action it was recording, the button says so.
    void StopRecording();

    CSkinButton m_btnRecord;
    CSkinCheckBox m_checkRecordDelay;
    CSkinStatic m_staticKeypress;
    CSkinStatic m_staticDescription;
    CSkinStatic m_staticDescriptionText;
    CSkinMacroListBox m_listMacro;
    // Captions in the current language; the button page re-captions its pages with it.
    void OnLanguageChanged() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnRecord();
    void OnRecordDelay();
    void CaptionRecordButton();

    CVisibilityWatch m_hideWatch;
};
