#pragma once
// The plain edit laid over an item of an editable list while its text is changed. Losing
// the focus ends the edit; in number mode it takes only a decimal number and Enter ends it.
#include "framework/CEdit.h"

class CSkinListBoxEdit_Edit : public CEdit {
public:
    static constexpr int kFreeText = 0;
    static constexpr int kDecimalNumber = 2;

    BOOL PreTranslateMessage(MSG* msg) override;

    int m_nInputMode = kFreeText;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    bool AcceptsChar(wchar_t ch) const;
};
