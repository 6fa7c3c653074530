#include "module/exchange/CProfileExport.h"

#include "module/actions/BuiltInActions.h"
#include "module/exchange/ExchangeFormat.h"
#include "module/exchange/Utf8.h"

#include <nlohmann/json.hpp>

#include <set>

using nlohmann::ordered_json;

namespace {

ordered_json StepsOf(const CActionMacroContext& macro) {
    ordered_json steps = ordered_json::array();
    for (const MacroStep& step : macro.m_steps) {
        // Only keyboard steps are ever sent.
        if (step.type != MacroStep::kKeyboardInput)
            continue;
        steps.push_back({{"vk", step.wVk},
                         {"scan", step.wScan},
                         {"flags", step.dwFlags},
                         {"delay", step.time}});
    }
    return steps;
}

ordered_json ActionOf(const CCustomAction& action) {
    ordered_json out = {{"id", ToUtf8(action.m_nameId)},
                        {"name", ToUtf8(action.m_name)},
                        {"description", ToUtf8(action.m_description)}};
    switch (action.Kind()) {
    case CCustomAction::kTextMacro:
        out["type"] = exchange::kTextKind;
        out["text"] = ToUtf8(action.m_copyString.m_string);
        break;
    case CCustomAction::kLaunchApplication:
        out["type"] = exchange::kLaunchKind;
        out["path"] = ToUtf8(action.m_launchApp.m_filePath);
        break;
    default:
        out["type"] = exchange::kKeypressKind;
        out["steps"] = StepsOf(action.m_macro);
        break;
    }
    return out;
}

} // namespace

const CCustomAction* CProfileExport::ExportedAction(const std::wstring& nameId) const {
    if (nameId.empty() || IsBuiltInAction(nameId))
        return nullptr;
    const std::size_t position = m_actions.FindAction(nameId);
    if (position == CCustomActionList::npos)
        return nullptr;
    const CCustomAction& action =
        *std::next(m_actions.begin(), static_cast<std::ptrdiff_t>(position));
    const std::uint32_t kind = action.Kind();
    const bool custom = kind == CCustomAction::kKeypressMacro ||
                        kind == CCustomAction::kTextMacro ||
                        kind == CCustomAction::kLaunchApplication;
    return custom ? &action : nullptr;
}

std::string CProfileExport::Write(const std::vector<const CProfileVireo*>& profiles) const {
    ordered_json document = {{"format", exchange::kFormatName},
                             {"version", exchange::kFormatVersion}};
    ordered_json profileArray = ordered_json::array();
    ordered_json actionArray = ordered_json::array();
    std::set<std::wstring> written;
    for (const CProfileVireo* profile : profiles) {
        if (!profile)
            continue;
        ordered_json buttons = ordered_json::array();
        for (std::size_t i = 0; i < CProfileVireo::kButtonCount; ++i) {
            const std::wstring& id = profile->m_buttonAction[i];
            const CCustomAction* action = ExportedAction(id);
            const bool reachable = action || IsBuiltInAction(id);
            buttons.push_back({{"action", reachable ? ToUtf8(id) : std::string()},
                               {"enabled", profile->m_buttonEnable[i] != 0}});
            if (action && written.insert(id).second)
                actionArray.push_back(ActionOf(*action));
        }
        ordered_json item = {{"name", ToUtf8(profile->m_name)},
                             {"cpi1", profile->m_cpi1},
                             {"cpi2", profile->m_cpi2},
                             {"reportRate", profile->m_reportRate},
                             {"ledIntensity1", profile->m_ledIntensity1},
                             {"ledIntensity2", profile->m_ledIntensity2},
                             {"buttons", std::move(buttons)}};
        if (!profile->m_programs.empty()) {
            ordered_json programs = ordered_json::array();
            for (const std::wstring& program : profile->m_programs)
                programs.push_back(ToUtf8(program));
            item["programs"] = std::move(programs);
        }
        profileArray.push_back(std::move(item));
    }
    document["profiles"] = std::move(profileArray);
    document["actions"] = std::move(actionArray);
    return document.dump(2) + "\n";
}
