#pragma once
// Edits the text of a text macro: a multi-line field whose every change is the action's text.
#include "module/pages/CActionEditorPage.h"
#include "skin/CSkinEdit.h"
#include "skin/CSkinStatic.h"

class CPageCopyString : public CActionEditorPage {
public:
    CPageCopyString(CCustomActionList& actions, const std::wstring& currentActionId);

    // Shows the current action's text.
    void Exchange();

    CSkinEdit m_editText;
    CSkinStatic m_staticText;
    CSkinStatic m_staticDescription;
    CSkinStatic m_staticDescriptionText;
    // Captions in the current language; the button page re-captions its pages with it.
    void OnLanguageChanged() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnTextChanged();
};
