#pragma once
// One custom action: identity, display texts, its kind and all three contexts, whatever the
// kind, so switching the kind keeps the other contents. The kind picks the active context.
#include "module/actions/CActionCopyStringContext.h"
#include "module/actions/CActionLaunchAppContext.h"
#include "module/actions/CActionMacroContext.h"

#include <cstdint>
#include <string>

class CCustomAction {
public:
    // Kinds 0..4 are the buttons' own functions; nothing runs for them in the module.
    static constexpr std::uint32_t kKeypressMacro = 5;
    static constexpr std::uint32_t kTextMacro = 6;
    static constexpr std::uint32_t kLaunchApplication = 7;

    std::wstring m_nameId;
    // Shown when the language has no text for m_nameId.
    std::wstring m_name;
    // Shown when the language has no text for m_descriptionId.
    std::wstring m_description;
    std::wstring m_descriptionId;
    CActionMacroContext m_macro;
    CActionCopyStringContext m_copyString;
    CActionLaunchAppContext m_launchApp;

    // A keypress macro with empty texts.
    CCustomAction() = default;
    // A search key for FindAction.
    explicit CCustomAction(const std::wstring& nameId) : m_nameId(nameId) {}

    std::uint32_t Kind() const { return m_kind; }
    // 5, 6 and 7 activate their context; any other kind none.
    void SetKind(std::uint32_t kind);
    // Null for the buttons' own functions.
    IActionContext* ActiveContext();
    const IActionContext* ActiveContext() const;

    // Reads "CustomAction<index>" below the list key. False when the slot is missing or its
    // name is missing or empty: such an action is dropped. A name stored in a form that cannot
    // be read (a number, say) keeps the action with an empty m_name for the list to fill.
    bool Load(platform::IKeyValueStore& actions, std::size_t index);
    // Writes "CustomAction<index>"; a slot that cannot be created is skipped.
    void Save(platform::IKeyValueStore& actions, std::size_t index) const;
    // Whether Save writes the same values for both.
    bool SavesAs(const CCustomAction& other) const;

private:
    enum class Active { None, Macro, CopyString, LaunchApp };

    std::uint32_t m_kind = kKeypressMacro;
    // Which of this action's own contexts runs; a copy thus runs its own.
    Active m_active = Active::Macro;
};
