#include "module/exchange/CProfileImport.h"

#include "module/actions/BuiltInActions.h"
#include "module/exchange/ExchangeFormat.h"
#include "module/exchange/Utf8.h"
#include "module/profiles/StoreLayout.h"
#include "module/profiles/UniqueIdentifier.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <set>

using nlohmann::json;

namespace {

// The host's buffers carry a profile name of 258 units whole.
constexpr std::size_t kMaxProfileName = kMaxStoredTextLength - 1;
constexpr std::uint64_t kMaxDword = 0xFFFFFFFFu;
constexpr std::uint64_t kMaxDelay = 0x7FFFFFFFu;

std::wstring Wide(const std::string& text) {
    return FromUtf8(text);
}

// The first key of object not in allowed, or nothing.
std::string UnknownKey(const json& object, std::initializer_list<const char*> allowed) {
    for (const auto& item : object.items()) {
        const bool known = std::any_of(allowed.begin(), allowed.end(),
                                       [&](const char* key) { return item.key() == key; });
        if (!known)
            return item.key();
    }
    return {};
}

enum class Text { Optional, Required, Name };

// A missing optional text leaves out as it is; a name is required and never empty.
bool ReadText(const json& object, const char* key, std::size_t maxLength, Text kind,
              std::wstring& out) {
    const auto it = object.find(key);
    if (it == object.end())
        return kind == Text::Optional;
    if (!it->is_string())
        return false;
    out = FromUtf8(it->get_ref<const std::string&>());
    return out.size() <= maxLength && (kind != Text::Name || !out.empty());
}

template <typename T>
bool ReadNumber(const json& object, const char* key, std::uint64_t max, T& out) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_number_unsigned())
        return false;
    const auto value = it->get<std::uint64_t>();
    if (value > max)
        return false;
    out = static_cast<T>(value);
    return true;
}

// What an action runs, as one text: equal texts run the same (keyboard steps only).
std::wstring ContentKey(const CCustomAction& action) {
    std::wstring key = std::to_wstring(action.Kind()) + L'|';
    switch (action.Kind()) {
    case CCustomAction::kTextMacro:
        return key + action.m_copyString.m_string;
    case CCustomAction::kLaunchApplication:
        return key + action.m_launchApp.m_filePath;
    default:
        break;
    }
    for (const MacroStep& step : action.m_macro.m_steps) {
        if (step.type != MacroStep::kKeyboardInput)
            continue;
        for (std::uint32_t value :
             {std::uint32_t{step.wVk}, std::uint32_t{step.wScan}, step.dwFlags, step.time})
            key += std::to_wstring(value) + L',';
        key += L';';
    }
    return key;
}

// base, or "base (n)" with the first n from 2 that no one holds, cut to fit maxLength.
std::wstring UniqueName(const std::wstring& base, std::size_t maxLength,
                        const std::function<bool(const std::wstring&)>& taken) {
    if (!taken(base))
        return base;
    for (unsigned n = 2;; ++n) {
        const std::wstring suffix = L" (" + std::to_wstring(n) + L")";
        std::wstring name = base.substr(0, maxLength - suffix.size()) + suffix;
        if (!taken(name))
            return name;
    }
}

} // namespace

bool CProfileImport::Refuse(Refusal why, const std::wstring& detail) {
    m_refusal = why;
    m_detail = detail;
    m_actions.clear();
    m_profiles.clear();
    return false;
}

bool CProfileImport::Read(const std::string& document) {
    m_refusal = Refusal::None;
    m_detail.clear();
    m_actions.clear();
    m_profiles.clear();
    if (document.size() > exchange::kMaxFileBytes)
        return Refuse(Refusal::TooLarge, {});
    const json root = json::parse(document, nullptr, false);
    if (root.is_discarded())
        return Refuse(Refusal::Damaged, {});
    if (!root.is_object())
        return Refuse(Refusal::NotProfileFile, {});
    const auto format = root.find("format");
    if (format == root.end() || !format->is_string() ||
        format->get_ref<const std::string&>() != exchange::kFormatName)
        return Refuse(Refusal::NotProfileFile, {});
    const auto version = root.find("version");
    if (version == root.end() || !version->is_number_integer())
        return Refuse(Refusal::Damaged, L"version");
    if (!version->is_number_unsigned() || version->get<std::uint64_t>() != exchange::kFormatVersion)
        return Refuse(Refusal::OtherVersion, Wide(version->dump()));
    if (const std::string key = UnknownKey(root, {"format", "version", "profiles", "actions"});
        !key.empty())
        return Refuse(Refusal::UnknownKey, Wide(key));
    const auto profiles = root.find("profiles");
    const auto actions = root.find("actions");
    if (profiles == root.end() || !profiles->is_array())
        return Refuse(Refusal::Damaged, L"profiles");
    if (actions == root.end() || !actions->is_array())
        return Refuse(Refusal::Damaged, L"actions");

    // Actions first: the buttons refer to them by their "id" within the file.
    std::vector<CCustomAction> fileActions;
    std::map<std::wstring, std::size_t> byId;
    for (std::size_t i = 0; i < actions->size(); ++i) {
        const json& item = (*actions)[i];
        const std::wstring where = L"actions[" + std::to_wstring(i) + L"]";
        if (!item.is_object())
            return Refuse(Refusal::Damaged, where);
        if (const std::string key =
                UnknownKey(item, {"id", "name", "description", "type", "steps", "text", "path"});
            !key.empty())
            return Refuse(Refusal::UnknownKey, where + L"." + Wide(key));
        CCustomAction action;
        std::wstring id;
        if (!ReadText(item, "id", kMaxStoredTextLength, Text::Name, id) || byId.count(id))
            return Refuse(Refusal::Damaged, where + L".id");
        if (!ReadText(item, "name", kMaxStoredTextLength, Text::Name, action.m_name))
            return Refuse(Refusal::Damaged, where + L".name");
        if (!ReadText(item, "description", kMaxStoredTextLength, Text::Optional,
                      action.m_description))
            return Refuse(Refusal::Damaged, where + L".description");
        const auto type = item.find("type");
        const std::string kind =
            type != item.end() && type->is_string() ? type->get<std::string>() : std::string();
        // Each kind carries its own content and nothing else.
        const char* content = kind == exchange::kKeypressKind ? "steps"
                              : kind == exchange::kTextKind   ? "text"
                              : kind == exchange::kLaunchKind ? "path"
                                                              : nullptr;
        if (!content)
            return Refuse(Refusal::Damaged, where + L".type");
        for (const char* other : {"steps", "text", "path"}) {
            if (other != content && item.contains(other))
                return Refuse(Refusal::Damaged, where + L"." + Wide(other));
        }
        if (kind == exchange::kKeypressKind) {
            action.SetKind(CCustomAction::kKeypressMacro);
            const auto steps = item.find("steps");
            if (steps == item.end() || !steps->is_array())
                return Refuse(Refusal::Damaged, where + L".steps");
            for (std::size_t s = 0; s < steps->size(); ++s) {
                const json& entry = (*steps)[s];
                const std::wstring at = where + L".steps[" + std::to_wstring(s) + L"]";
                if (!entry.is_object())
                    return Refuse(Refusal::Damaged, at);
                if (const std::string key = UnknownKey(entry, {"vk", "scan", "flags", "delay"});
                    !key.empty())
                    return Refuse(Refusal::UnknownKey, at + L"." + Wide(key));
                MacroStep step;
                step.type = MacroStep::kKeyboardInput;
                if (!ReadNumber(entry, "vk", 0xFFFF, step.wVk) ||
                    !ReadNumber(entry, "scan", 0xFFFF, step.wScan) ||
                    !ReadNumber(entry, "flags", kMaxDword, step.dwFlags) ||
                    !ReadNumber(entry, "delay", kMaxDelay, step.time))
                    return Refuse(Refusal::Damaged, at);
                action.m_macro.m_steps.push_back(step);
            }
        } else if (kind == exchange::kTextKind) {
            action.SetKind(CCustomAction::kTextMacro);
            if (!ReadText(item, "text", kMaxStoredTextLength, Text::Required,
                          action.m_copyString.m_string))
                return Refuse(Refusal::Damaged, where + L".text");
        } else {
            action.SetKind(CCustomAction::kLaunchApplication);
            if (!ReadText(item, "path", kMaxStoredTextLength, Text::Required,
                          action.m_launchApp.m_filePath))
                return Refuse(Refusal::Damaged, where + L".path");
        }
        byId.emplace(id, fileActions.size());
        fileActions.push_back(std::move(action));
    }

    // Only the actions some button uses are taken, in file order.
    std::vector<int> taken(fileActions.size(), -1);
    std::vector<ImportedProfile> imported;
    for (std::size_t i = 0; i < profiles->size(); ++i) {
        const json& item = (*profiles)[i];
        const std::wstring where = L"profiles[" + std::to_wstring(i) + L"]";
        if (!item.is_object())
            return Refuse(Refusal::Damaged, where);
        if (const std::string key =
                UnknownKey(item, {"name", "cpi1", "cpi2", "reportRate", "ledIntensity1",
                                  "ledIntensity2", "buttons", "programs"});
            !key.empty())
            return Refuse(Refusal::UnknownKey, where + L"." + Wide(key));
        ImportedProfile profile;
        CProfileVireo& record = profile.record;
        if (!ReadText(item, "name", kMaxProfileName, Text::Name, record.m_name))
            return Refuse(Refusal::Damaged, where + L".name");
        if (!ReadNumber(item, "cpi1", kMaxDword, record.m_cpi1) ||
            !ReadNumber(item, "cpi2", kMaxDword, record.m_cpi2) ||
            !ReadNumber(item, "reportRate", kMaxDword, record.m_reportRate) ||
            !ReadNumber(item, "ledIntensity1", kMaxDword, record.m_ledIntensity1) ||
            !ReadNumber(item, "ledIntensity2", kMaxDword, record.m_ledIntensity2))
            return Refuse(Refusal::Damaged, where);
        const auto buttons = item.find("buttons");
        if (buttons == item.end() || !buttons->is_array() ||
            buttons->size() != CProfileVireo::kButtonCount)
            return Refuse(Refusal::Damaged, where + L".buttons");
        for (std::size_t b = 0; b < CProfileVireo::kButtonCount; ++b) {
            const json& button = (*buttons)[b];
            const std::wstring at = where + L".buttons[" + std::to_wstring(b) + L"]";
            if (!button.is_object())
                return Refuse(Refusal::Damaged, at);
            if (const std::string key = UnknownKey(button, {"action", "enabled"}); !key.empty())
                return Refuse(Refusal::UnknownKey, at + L"." + Wide(key));
            std::wstring id;
            const auto enabled = button.find("enabled");
            if (!ReadText(button, "action", kMaxStoredTextLength, Text::Required, id) ||
                enabled == button.end() || !enabled->is_boolean())
                return Refuse(Refusal::Damaged, at);
            record.m_buttonEnable[b] = enabled->get<bool>() ? 1 : 0;
            profile.buttonAction[b] = -1;
            if (id.empty() || IsBuiltInAction(id)) {
                record.m_buttonAction[b] = id;
                continue;
            }
            const auto found = byId.find(id);
            if (found == byId.end())
                return Refuse(Refusal::Damaged, at + L".action");
            int& index = taken[found->second];
            if (index < 0) {
                index = static_cast<int>(m_actions.size());
                m_actions.push_back(fileActions[found->second]);
            }
            profile.buttonAction[b] = index;
        }
        if (const auto programs = item.find("programs"); programs != item.end()) {
            if (!programs->is_array())
                return Refuse(Refusal::Damaged, where + L".programs");
            for (const json& program : *programs) {
                if (!program.is_string() || program.get_ref<const std::string&>().empty())
                    return Refuse(Refusal::Damaged, where + L".programs");
                profile.programs.push_back(FromUtf8(program.get<std::string>()));
            }
        }
        imported.push_back(std::move(profile));
    }
    m_profiles = std::move(imported);
    return true;
}

std::vector<std::wstring> CProfileImport::LaunchPaths() const {
    std::vector<std::wstring> paths;
    for (const CCustomAction& action : m_actions) {
        if (action.Kind() == CCustomAction::kLaunchApplication &&
            std::find(paths.begin(), paths.end(), action.m_launchApp.m_filePath) == paths.end())
            paths.push_back(action.m_launchApp.m_filePath);
    }
    return paths;
}

std::vector<std::wstring> CProfileImport::AddTo(CProfileList& profiles, CCustomActionList& actions,
                                                std::uint32_t tick) const {
    // Looked up by set and map: an import of a thousand actions stays linear.
    std::map<std::wstring, std::wstring> byContent;
    std::set<std::wstring> actionIds;
    std::set<std::wstring> actionNames;
    for (const CCustomAction& action : actions) {
        if (!IsBuiltInAction(action.m_nameId))
            byContent.emplace(ContentKey(action), action.m_nameId);
        actionIds.insert(action.m_nameId);
        actionNames.insert(action.m_name);
    }
    // New IDs are made from consecutive numbers, so each search starts past the last one made.
    std::uint32_t next = tick;
    std::vector<std::wstring> importedIds;
    for (const CCustomAction& imported : m_actions) {
        const std::wstring content = ContentKey(imported);
        if (const auto same = byContent.find(content); same != byContent.end()) {
            importedIds.push_back(same->second);
            continue;
        }
        CCustomAction action = imported;
        action.m_nameId = MakeUniqueIdentifier(
            L"ID_ACTION_", next++, [&](const std::wstring& id) { return actionIds.count(id) > 0; });
        action.m_descriptionId = action.m_nameId + L"_TIP";
        action.m_name =
            UniqueName(imported.m_name, kMaxStoredTextLength,
                       [&](const std::wstring& name) { return actionNames.count(name) > 0; });
        actionIds.insert(action.m_nameId);
        actionNames.insert(action.m_name);
        byContent.emplace(content, action.m_nameId);
        importedIds.push_back(actions.AppendAction(action).m_nameId);
    }

    std::set<std::wstring> profileIds;
    std::set<std::wstring> profileNames;
    for (const CProfileVireo& profile : profiles) {
        profileIds.insert(profile.m_id);
        profileNames.insert(profile.m_name);
    }
    std::vector<std::wstring> added;
    for (const ImportedProfile& imported : m_profiles) {
        CProfileVireo record = imported.record;
        record.m_programs = imported.programs;
        if (record.m_programs.size() > CProfileVireo::kMaxPrograms)
            record.m_programs.resize(CProfileVireo::kMaxPrograms);
        for (std::size_t b = 0; b < CProfileVireo::kButtonCount; ++b) {
            if (imported.buttonAction[b] >= 0)
                record.m_buttonAction[b] =
                    importedIds[static_cast<std::size_t>(imported.buttonAction[b])];
        }
        record.m_id = MakeUniqueIdentifier(L"ID_PROFILE_", next++, [&](const std::wstring& id) {
            return profileIds.count(id) > 0;
        });
        record.m_name =
            UniqueName(imported.record.m_name, kMaxProfileName,
                       [&](const std::wstring& name) { return profileNames.count(name) > 0; });
        profileIds.insert(record.m_id);
        profileNames.insert(record.m_name);
        added.push_back(profiles.Append(record).m_id);
    }
    return added;
}
