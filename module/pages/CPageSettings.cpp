#include "module/pages/CPageSettings.h"

#include "framework/CMenu.h"
#include "module/pages/CaptionTable.h"
#include "module/profiles/StoreLayout.h"

#include <windows.h>

namespace {

const pages::Caption kCaptions[] = {
    {IDC_STATIC_CPI1, L"IDC_STATIC_CPI1", L"COUNTS PER INCH (CPI) SETTING"},
    {IDC_STATIC_REPORT_RATE, L"IDC_STATIC_REPORT_RATE", L"REPORT RATE"},
    {IDC_STATIC_PROGRAMS, L"IDC_STATIC_PROGRAMS", L"PROGRAMS THAT SELECT THIS PROFILE"},
    {IDC_BTN_ADD_PROGRAM, L"IDC_BTN_ADD_PROGRAM", L"Add"},
    {IDC_BTN_ADD_FRONT_PROGRAM, L"IDC_BTN_ADD_FRONT_PROGRAM", L"Add program in front"},
    {IDC_BTN_REMOVE_PROGRAM, L"IDC_BTN_REMOVE_PROGRAM", L"Remove"},
};

const wchar_t kNoRecentKey[] = L"IDS_NO_RECENT_PROGRAM";
const wchar_t kNoRecentText[] = L"No program was in front during the last minute";

bool SameProgram(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring Trimmed(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// Where the page picture paints each slider's track.
constexpr RECT kCpiChannel = {30, 87, 406, 107};
constexpr RECT kReportRateChannel = {30, 234, 406, 254};

} // namespace

CPageSettings::CPageSettings() : CSkinDialog(IDD) {
    AddNormalImage(L".\\res\\SettingPage_Normal.bmp");
    AddDisableImage(L".\\res\\SettingPage_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\SettingPage_Disable.bmp");
    AddHoverImage(L".\\res\\SettingPage_Hover.bmp");
    AddHoverSelectedImage(L".\\res\\SettingPage_Hover.bmp");
    AddSelectedImage(L".\\res\\SettingPage_Selected.bmp");
    SetMaskImage(L".\\res\\SettingPage_Mask.bmp");
}

void CPageSettings::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_STATIC_CPI1, m_stCpi);
    DDX_Control(dx, IDC_STATIC_REPORT_RATE, m_stReportRate);
    DDX_Control(dx, IDC_SLIDER_CPI, m_sliderCpi);
    DDX_Control(dx, IDC_SLIDER_REPORT_RATE, m_sliderReportRate);
    DDX_Control(dx, IDC_STATIC_PROGRAMS, m_stPrograms);
    DDX_Control(dx, IDC_LIST_PROGRAMS, m_listPrograms);
    DDX_Control(dx, IDC_EDIT_PROGRAM, m_editProgram);
    DDX_Control(dx, IDC_BTN_ADD_PROGRAM, m_btnAddProgram);
    DDX_Control(dx, IDC_BTN_ADD_FRONT_PROGRAM, m_btnAddFront);
    DDX_Control(dx, IDC_BTN_REMOVE_PROGRAM, m_btnRemoveProgram);
}

BOOL CPageSettings::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_stCpi.MoveWindow(23, 41, 212, 18);
    m_sliderCpi.MoveWindow(25, 85, 386, 24);
    m_stReportRate.MoveWindow(23, 189, 149, 18);
    m_sliderReportRate.MoveWindow(25, 232, 386, 24);
    m_sliderCpi.LoadThumbImage();
    m_sliderCpi.SetChannelRect(kCpiChannel);
    m_sliderReportRate.LoadThumbImage();
    m_sliderReportRate.SetChannelRect(kReportRateChannel);

    // Below the sliders' labels, in room the page had to spare.
    m_stPrograms.MoveWindow(23, 300, 400, 18);
    m_listPrograms.MoveWindow(30, 330, 300, 150);
    m_listPrograms.LoadItemImage();
    m_editProgram.MoveWindow(350, 330, 160, 27);
    m_editProgram.SetLimitText(static_cast<UINT>(kMaxStoredTextLength));
    m_btnAddProgram.MoveWindow(350, 367, 160, 34);
    m_btnAddFront.MoveWindow(350, 409, 160, 34);
    m_btnRemoveProgram.MoveWindow(350, 451, 160, 34);
    for (CSkinButton* button : {&m_btnAddProgram, &m_btnAddFront, &m_btnRemoveProgram}) {
        button->SetTextFormat(DT_CENTER | DT_VCENTER);
        button->SetImageIndex(Hover, 1);
    }
    return TRUE;
}

void CPageSettings::SetPrograms(const std::vector<std::wstring>& programs) {
    m_listPrograms.ResetContent();
    for (const std::wstring& program : programs)
        m_listPrograms.AddString(program.c_str());
}

std::vector<std::wstring> CPageSettings::Programs() const {
    std::vector<std::wstring> programs;
    const int count = m_listPrograms.GetCount();
    for (int i = 0; i < count; ++i)
        programs.push_back(m_listPrograms.GetText(i));
    return programs;
}

bool CPageSettings::AddProgram(const std::wstring& program) {
    const std::wstring name = Trimmed(program);
    if (name.empty() || name.size() > kMaxStoredTextLength)
        return false;
    for (const std::wstring& listed : Programs()) {
        if (SameProgram(listed, name))
            return false;
    }
    const int item = m_listPrograms.AddString(name.c_str());
    m_listPrograms.SetCurSel(item);
    return true;
}

void CPageSettings::OnAddTyped() {
    if (AddProgram(m_editProgram.GetWindowText()))
        m_editProgram.SetWindowText(L"");
}

void CPageSettings::OnAddFront() {
    std::vector<std::wstring> offered;
    for (const std::wstring& recent :
         m_recentPrograms ? m_recentPrograms() : std::vector<std::wstring>()) {
        bool listed = false;
        for (const std::wstring& program : Programs())
            listed = listed || SameProgram(program, recent);
        if (!listed)
            offered.push_back(recent);
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (std::size_t i = 0; i < offered.size(); ++i)
        menu.AppendMenu(MF_STRING, i + 1, offered[i].c_str());
    if (offered.empty())
        menu.AppendMenu(MF_STRING | MF_GRAYED, 0,
                        CMultiLanguage::TextOr(kNoRecentKey, kNoRecentText));
    RECT button = {};
    ::GetWindowRect(m_btnAddFront.GetSafeHwnd(), &button);
    const int chosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                           button.left, button.bottom, this);
    if (chosen > 0 && static_cast<std::size_t>(chosen) <= offered.size())
        AddProgram(offered[static_cast<std::size_t>(chosen) - 1]);
}

void CPageSettings::OnRemove() {
    const int selected = m_listPrograms.GetCurSel();
    if (selected < 0)
        return;
    m_listPrograms.DeleteString(static_cast<UINT>(selected));
    const int count = m_listPrograms.GetCount();
    if (count > 0)
        m_listPrograms.SetCurSel(selected < count ? selected : count - 1);
}

LRESULT CPageSettings::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_BTN_ADD_PROGRAM:
            OnAddTyped();
            return 0;
        case IDC_BTN_ADD_FRONT_PROGRAM:
            OnAddFront();
            return 0;
        case IDC_BTN_REMOVE_PROGRAM:
            OnRemove();
            return 0;
        default:
            break;
        }
    }
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

void CPageSettings::OnLanguageChanged() {
    pages::SetCaptions(*this, kCaptions);
}
