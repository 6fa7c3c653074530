#pragma once
#include "skin/CSkinCheckableButton.h"

// Radio button whose state lives in the object; checking it unchecks the rest of its group.
class CSkinRadioBox : public CSkinCheckableButton {
public:
    CSkinRadioBox();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void UncheckOthersInGroup() const;
};
