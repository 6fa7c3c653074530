#include "module/actions/BuiltInActions.h"

const std::array<BuiltInAction, 5> kBuiltInActions = {{
    {L"ACTION_ITEM_LEFT_BUTTON", 0, L"Left Button"},
    {L"ACTION_ITEM_MIDDLE_BUTTON", 2, L"Middle Button"},
    {L"ACTION_ITEM_RIGHT_BUTTON", 1, L"Right Button"},
    {L"ACTION_ITEM_BUTTON4", 3, L"Button 4"},
    {L"ACTION_ITEM_BUTTON5", 4, L"Button 5"},
}};

bool IsBuiltInAction(const std::wstring& nameId) {
    for (const BuiltInAction& builtIn : kBuiltInActions) {
        if (nameId == builtIn.nameId)
            return true;
    }
    return false;
}

std::size_t AddMissingBuiltInActions(CCustomActionList& actions) {
    std::size_t added = 0;
    for (const BuiltInAction& builtIn : kBuiltInActions) {
        if (actions.FindAction(builtIn.nameId) != CCustomActionList::npos)
            continue;
        CCustomAction action(builtIn.nameId);
        action.m_name = builtIn.name;
        action.m_descriptionId = std::wstring(builtIn.nameId) + L"_TIP";
        action.SetKind(builtIn.kind);
        actions.InsertAction(added++, action);
    }
    return added;
}
