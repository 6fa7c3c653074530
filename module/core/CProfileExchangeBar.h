#pragma once
// Export… and Import… of the module window, its message line, and the question an import
// that brings program launches asks before anything is added. Importing never runs anything.
#include "module/core/ModuleModel.h"
#include "module/exchange/CProfileImport.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinStatic.h"

#include <functional>
#include <memory>
#include <string>

class CDataExchange;
class CWnd;

class CProfileExchangeBar {
public:
    struct Hooks {
        // Stores everything, as the Save button does, and tells the host.
        std::function<void()> save;
        // False hides the shown page while the question stands, true shows it again.
        std::function<void(bool)> showPage;
    };

    CProfileExchangeBar(const ModuleModel& model, Hooks hooks);

    void DoDataExchange(CDataExchange* dx);
    void OnInitDialog(CWnd& owner);
    void SetCaptions(const CWnd& owner);
    // True when id is one of its buttons (handled).
    bool OnCommand(int id);
    bool Asking() const { return m_pending != nullptr; }
    // Drops a standing question: nothing is added.
    void CancelImport();

    CSkinButton m_btnExport;
    CSkinButton m_btnImport;
    CSkinStatic m_lblMessage;
    CSkinStatic m_lblLaunchList;
    CSkinButton m_btnConfirm;
    CSkinButton m_btnCancel;

private:
    void Export();
    void Import();
    void AddPending();
    void ShowQuestion(bool show);
    void ShowMessage(const std::wstring& text);
    CWnd* DialogOwner() const;

    ModuleModel m_model;
    Hooks m_hooks;
    CWnd* m_owner = nullptr;
    std::unique_ptr<CProfileImport> m_pending;
};
