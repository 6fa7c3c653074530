#include "module/core/CProfileExchangeBar.h"

#include "framework/CDataExchange.h"
#include "framework/CFileDialog.h"
#include "language/CMultiLanguage.h"
#include "module/core/resource.h"
#include "module/exchange/CProfileExport.h"
#include "module/exchange/ExchangeFile.h"
#include "module/pages/CaptionTable.h"

namespace {

const pages::Caption kCaptions[] = {
    {IDC_BTN_EXPORT, L"IDC_BTN_EXPORT", L"Export\u2026"},
    {IDC_BTN_IMPORT, L"IDC_BTN_IMPORT", L"Import\u2026"},
    {IDC_BTN_IMPORT_CONFIRM, L"IDC_BTN_IMPORT_CONFIRM", L"Import"},
    {IDC_BTN_IMPORT_CANCEL, L"IDC_BTN_IMPORT_CANCEL", L"Cancel"},
};

std::wstring Text(const wchar_t* key, const wchar_t* builtIn) {
    return CMultiLanguage::TextOr(key, builtIn);
}

// "<text> (<detail>)." or "<text>.".
std::wstring WithDetail(const std::wstring& text, const std::wstring& detail) {
    return detail.empty() ? text + L"." : text + L" (" + detail + L").";
}

std::wstring RefusalText(const CProfileImport& import) {
    switch (import.Why()) {
    case CProfileImport::Refusal::TooLarge:
        return Text(L"IDS_EXCHANGE_TOO_LARGE", L"Not imported: the file is larger than 16 MB.");
    case CProfileImport::Refusal::NotProfileFile:
        return Text(L"IDS_EXCHANGE_NOT_PROFILES", L"Not imported: this is not a profile file.");
    case CProfileImport::Refusal::OtherVersion:
        return WithDetail(
            Text(L"IDS_EXCHANGE_OTHER_VERSION", L"Not imported: the file is of another version"),
            import.Detail());
    case CProfileImport::Refusal::UnknownKey:
        return WithDetail(
            Text(L"IDS_EXCHANGE_UNKNOWN_KEY", L"Not imported: the file holds an unknown entry"),
            import.Detail());
    default:
        return WithDetail(Text(L"IDS_EXCHANGE_DAMAGED", L"Not imported: the file is damaged"),
                          import.Detail());
    }
}

} // namespace

CProfileExchangeBar::CProfileExchangeBar(const ModuleModel& model, Hooks hooks)
    : m_model(model), m_hooks(std::move(hooks)) {}

void CProfileExchangeBar::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BTN_EXPORT, m_btnExport);
    DDX_Control(dx, IDC_BTN_IMPORT, m_btnImport);
    DDX_Control(dx, IDC_STATIC_EXCHANGE, m_lblMessage);
    DDX_Control(dx, IDC_STATIC_LAUNCH_LIST, m_lblLaunchList);
    DDX_Control(dx, IDC_BTN_IMPORT_CONFIRM, m_btnConfirm);
    DDX_Control(dx, IDC_BTN_IMPORT_CANCEL, m_btnCancel);
}

void CProfileExchangeBar::OnInitDialog(CWnd& owner) {
    m_owner = &owner;
    // Cut from the window's picture, as Save and Restore are.
    m_btnExport.SetImageIndex(Hover, 1);
    m_btnImport.SetImageIndex(Hover, 1);
    m_lblMessage.SetFontSize(11.0f);
    m_lblMessage.SetTextFormat(DT_VCENTER);
    // The question's buttons stand on the panel, where the pages lie otherwise.
    const Picture strip = fw::LoadPicture(L".\\res\\PanelButton.bmp");
    m_btnConfirm.SetBitmap(strip, 123, 37, 0);
    m_btnCancel.SetBitmap(strip, 123, 37, 0);
}

void CProfileExchangeBar::SetCaptions(const CWnd& owner) {
    pages::SetCaptions(owner, kCaptions);
}

bool CProfileExchangeBar::OnCommand(int id) {
    switch (id) {
    case IDC_BTN_EXPORT:
        CancelImport();
        Export();
        return true;
    case IDC_BTN_IMPORT:
        CancelImport();
        Import();
        return true;
    case IDC_BTN_IMPORT_CONFIRM:
        AddPending();
        return true;
    case IDC_BTN_IMPORT_CANCEL:
        if (Asking()) {
            CancelImport();
            ShowMessage(Text(L"IDS_EXCHANGE_CANCELLED", L"Import cancelled: nothing was added."));
        }
        return true;
    default:
        return false;
    }
}

void CProfileExchangeBar::CancelImport() {
    if (!m_pending)
        return;
    m_pending.reset();
    ShowQuestion(false);
}

CWnd* CProfileExchangeBar::DialogOwner() const {
    return CWnd::FromHandle(::GetAncestor(m_owner->m_hWnd, GA_ROOT));
}

void CProfileExchangeBar::Export() {
    const CProfileVireo* current = m_model.profiles.FindProfile(m_model.currentProfileId);
    // The kind of file chosen in the dialog says what goes in: the selected profile or all.
    const std::wstring filter =
        Text(L"IDS_EXCHANGE_FILTER_SELECTED", L"The selected profile (*.json)") + L"|*.json|" +
        Text(L"IDS_EXCHANGE_FILTER_ALL", L"All profiles (*.json)") + L"|*.json|";
    CFileDialog dialog(filter.c_str(), DialogOwner(),
                       OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    dialog.UseSaveDialog();
    dialog.SetDefaultExtension(L"json");
    dialog.SetFileName(L"profiles.json");
    dialog.SetFilterIndex(current ? 1 : 2);
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<const CProfileVireo*> chosen;
    if (dialog.GetFilterIndex() == 1 && current) {
        chosen.push_back(current);
    } else {
        for (const CProfileVireo& profile : m_model.profiles)
            chosen.push_back(&profile);
    }
    const std::string document = CProfileExport(m_model.actions).Write(chosen);
    if (!exchange::WriteFileBytes(dialog.GetPathName(), document)) {
        ShowMessage(Text(L"IDS_EXCHANGE_WRITE_FAILED", L"The file could not be written."));
        return;
    }
    ShowMessage(Text(L"IDS_EXCHANGE_EXPORTED", L"Profiles exported:") + L" " +
                std::to_wstring(chosen.size()));
}

void CProfileExchangeBar::Import() {
    const std::wstring filter =
        Text(L"IDS_EXCHANGE_FILTER_OPEN", L"Profile files (*.json)") + L"|*.json|";
    CFileDialog dialog(filter.c_str(), DialogOwner());
    if (dialog.DoModal() != IDOK)
        return;
    std::string bytes;
    switch (exchange::ReadFileBytes(dialog.GetPathName(), bytes)) {
    case exchange::FileRead::Unreadable:
        ShowMessage(Text(L"IDS_EXCHANGE_UNREADABLE", L"Not imported: the file cannot be read."));
        return;
    case exchange::FileRead::TooLarge:
        ShowMessage(
            Text(L"IDS_EXCHANGE_TOO_LARGE", L"Not imported: the file is larger than 16 MB."));
        return;
    case exchange::FileRead::Ok:
        break;
    }
    auto import = std::make_unique<CProfileImport>();
    if (!import->Read(bytes)) {
        ShowMessage(RefusalText(*import));
        return;
    }
    const std::vector<std::wstring> paths = import->LaunchPaths();
    m_pending = std::move(import);
    if (paths.empty()) {
        AddPending();
        return;
    }
    // A shared file is untrusted: its programs are shown and nothing is added until confirmed.
    std::wstring question =
        Text(L"IDS_EXCHANGE_LAUNCH_QUESTION",
             L"Buttons of these profiles would start the programs below. Nothing is added "
             L"until you choose Import, and nothing is started now.");
    for (const std::wstring& path : paths)
        question += L"\n\u2022 " + path;
    m_lblLaunchList.SetWindowText(question.c_str());
    ShowMessage(L"");
    ShowQuestion(true);
}

void CProfileExchangeBar::AddPending() {
    if (!m_pending)
        return;
    const std::vector<std::wstring> ids =
        m_pending->AddTo(m_model.profiles, m_model.actions, m_model.ticks.Milliseconds());
    CancelImport();
    m_hooks.save();
    ShowMessage(Text(L"IDS_EXCHANGE_IMPORTED", L"Profiles imported:") + L" " +
                std::to_wstring(ids.size()));
}

void CProfileExchangeBar::ShowQuestion(bool show) {
    const int command = show ? SW_SHOW : SW_HIDE;
    m_hooks.showPage(!show);
    for (CWnd* control : {static_cast<CWnd*>(&m_lblLaunchList), static_cast<CWnd*>(&m_btnConfirm),
                          static_cast<CWnd*>(&m_btnCancel)})
        ::ShowWindow(control->GetSafeHwnd(), command);
}

void CProfileExchangeBar::ShowMessage(const std::wstring& text) {
    m_lblMessage.SetWindowText(text.c_str());
    ::InvalidateRect(m_lblMessage.GetSafeHwnd(), nullptr, FALSE);
}
