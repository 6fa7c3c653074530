#pragma once
// Writes profiles and the custom actions their buttons use as a profile file. Only the
// context an action runs is written: contents of its other kinds stay private to this store.
#include "module/actions/CCustomActionList.h"
#include "module/profiles/CProfileVireo.h"

#include <string>
#include <vector>

class CProfileExport {
public:
    explicit CProfileExport(const CCustomActionList& actions) : m_actions(actions) {}

    // The document, UTF-8. A button whose action is neither a built-in function nor a
    // custom action of the list is written as doing nothing, as it does now.
    std::string Write(const std::vector<const CProfileVireo*>& profiles) const;

private:
    const CCustomAction* ExportedAction(const std::wstring& nameId) const;

    const CCustomActionList& m_actions;
};
