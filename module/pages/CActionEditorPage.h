#pragma once
// What the three action editor pages share: the action list and the button page's current
// action identifier they work on, and Enter and Escape doing nothing (a page never closes).
#include "language/CMultiLanguage.h"
#include "skin/CSkinDialog.h"

#include <string>

class CCustomAction;
class CCustomActionList;

class CActionEditorPage : public CSkinDialog, public CMultiLanguage {
public:
    CActionEditorPage(UINT templateId, CCustomActionList& actions,
                      const std::wstring& currentActionId);

protected:
    // The action the button page edits, looked up now; null when it is gone.
    CCustomAction* CurrentAction() const;
    void OnOK() override {}
    void OnCancel() override {}

    CCustomActionList& m_actions;
    const std::wstring& m_currentActionId;
};
