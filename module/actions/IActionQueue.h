#pragma once
// Where actions go to be run: the action-runner thread, or a double in tests.
#include "module/actions/CCustomAction.h"

class IActionQueue {
public:
    // Takes a copy: the caller may edit or delete the action at once.
    virtual void Post(const CCustomAction& action) = 0;

protected:
    ~IActionQueue() = default;
};
