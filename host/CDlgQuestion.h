#pragma once
// The small skinned question box: a text, OK and Cancel; opened at a given place or centred.
#include "host/resource.h"
#include "language/CMultiLanguage.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinStatic.h"

#include <string>

class CDlgQuestion : public CSkinDialog, public CMultiLanguage {
public:
    enum { IDD = IDD_QUESTION };

    explicit CDlgQuestion(CWnd* parent = nullptr);

    std::wstring m_strQuestion;
    // Requested top-left corner on the screen; 0 means not given (the box stays centred).
    int m_nX = 0;
    int m_nY = 0;

    CSkinButton m_btnOK;
    CSkinButton m_btnCancel;
    CSkinStatic m_stText;

protected:
    BOOL OnInitDialog() override;
    // Captioned once in its initialisation.
    void OnLanguageChanged() override {}
};
