#pragma once
#include "skin/CSkinCheckableButton.h"

// Check box whose state lives in the object; a click flips it before the parent hears of it.
class CSkinCheckBox : public CSkinCheckableButton {
public:
    CSkinCheckBox();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
