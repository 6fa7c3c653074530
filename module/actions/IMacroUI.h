#pragma once
// What the keypress page and the module window's Save ask of the macro list: its rows to and
// from a step list, and the row commands applied to the selected row.
#include "module/actions/MacroStep.h"

#include <vector>

class IMacroUI {
public:
    // Replaces every row by the rows of the steps.
    virtual void LoadSteps(const std::vector<MacroStep>& steps) = 0;
    // Replaces the steps by those of the rows; a list without rows leaves them as they are.
    virtual void SaveSteps(std::vector<MacroStep>& steps) = 0;
    virtual void Reserved() = 0;
    // The row commands on the selected row; nothing when no row is selected.
    virtual void DeleteSelected() = 0;
    virtual void EditSelected() = 0;
    virtual void MoveSelectedUp() = 0;
    virtual void MoveSelectedDown() = 0;

protected:
    ~IMacroUI() = default;
};
