#pragma once
// The module's in-memory state as the reactions to the mouse see it: the application object's
// lists and current profile ID, and the clock new identifiers are made from.
#include "module/actions/CCustomActionList.h"
#include "module/profiles/CProfileList.h"
#include "platform/ITickSource.h"

#include <string>

struct ModuleModel {
    CProfileList& profiles;
    std::wstring& currentProfileId;
    CCustomActionList& actions;
    const platform::ITickSource& ticks;
};
