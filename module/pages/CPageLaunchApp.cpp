#include "module/pages/CPageLaunchApp.h"

#include "framework/CFileDialog.h"
#include "module/actions/CCustomActionList.h"
#include "module/pages/CaptionTable.h"
#include "module/pages/resource.h"
#include "module/profiles/StoreLayout.h"

#include <algorithm>

namespace {

const pages::Caption kCaptions[] = {
    {IDC_STATIC_APPLICATION, L"IDC_STATIC_APPLICATION", L"Application:"},
    {IDC_STATIC_DESCRIPTION, L"IDC_STATIC_DESCRIPTION", L"Description:"},
    {IDC_STATIC_DESCRIPTION_TEXT, L"IDC_STATIC_DESCRIPTION_STRING_LAUNCH_APP",
     L"Luanch a application after a button was clicked"},
};

} // namespace

CPageLaunchApp::CPageLaunchApp(CCustomActionList& actions, const std::wstring& currentActionId)
    : CActionEditorPage(IDD_PAGE_LAUNCHAPP, actions, currentActionId) {
    AddNormalImage(L".\\res\\LaunchApp_Normal.bmp");
    AddDisableImage(L".\\res\\LaunchApp_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\LaunchApp_Disable.bmp");
    AddHoverImage(L".\\res\\LaunchApp_Hover.bmp");
    AddHoverSelectedImage(L".\\res\\LaunchApp_Hover.bmp");
    AddSelectedImage(L".\\res\\LaunchApp_Selected.bmp");
    SetMaskImage(L".\\res\\LaunchApp_Mask.bmp");
}

void CPageLaunchApp::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BTN_BROWSE, m_btnBrowse);
    DDX_Control(dx, IDC_STATIC_APPLICATION, m_staticApplication);
    DDX_Control(dx, IDC_STATIC_DESCRIPTION, m_staticDescription);
    DDX_Control(dx, IDC_STATIC_DESCRIPTION_TEXT, m_staticDescriptionText);
    DDX_Control(dx, IDC_EDIT_APP_PATH, m_editPath);
}

BOOL CPageLaunchApp::OnInitDialog() {
    CActionEditorPage::OnInitDialog();
    m_staticApplication.MoveWindow(3, 21, 83, 18, FALSE);
    m_staticApplication.SetTextFormat(DT_RIGHT);
    m_staticDescription.MoveWindow(3, 46, 83, 18, FALSE);
    m_staticDescription.SetTextFormat(DT_RIGHT);
    m_staticDescriptionText.MoveWindow(93, 46, 201, 107, FALSE);
    m_btnBrowse.MoveWindow(384, 5, 53, 34, FALSE);
    m_editPath.MoveWindow(90, 11, 285, 27, FALSE);
    m_editPath.SetLimitText(static_cast<UINT>(kMaxStoredTextLength));
    // Drawn again on its new background.
    m_editPath.ShowWindow(SW_HIDE);
    m_editPath.ShowWindow(SW_SHOW);
    return TRUE;
}

void CPageLaunchApp::OnLanguageChanged() {
    SetCaptions(*this, kCaptions);
}

void CPageLaunchApp::Exchange() {
    UpdateData(FALSE);
    const CCustomAction* action = CurrentAction();
    m_editPath.SetWindowText(action ? action->m_launchApp.m_filePath.c_str() : L"");
}

void CPageLaunchApp::OnPathChanged() {
    if (CCustomAction* action = CurrentAction())
        action->m_launchApp.m_filePath = m_editPath.GetWindowText();
}

void CPageLaunchApp::OnBrowse() {
    // The dialog is modal to the whole module window, and the action shown now may be gone
    // or replaced when it returns.
    const std::wstring actionId = m_currentActionId;
    std::wstring filter = TextOr(L"ID_APPLICATION", L"Application");
    filter += L" (*.exe)|*.exe||";
    CFileDialog dialog(filter.c_str(), CWnd::FromHandle(::GetAncestor(m_hWnd, GA_ROOT)),
                       OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES);
    dialog.SetDefaultExtension(L"exe");
    dialog.SetFileName(m_editPath.GetWindowText());
    if (dialog.DoModal() != IDOK)
        return;
    std::wstring path = dialog.GetPathName();
    path.resize(std::min(path.size(), kMaxStoredTextLength));
    CCustomAction* action = m_actions.Find(actionId);
    if (!action)
        return;
    if (actionId != m_currentActionId) {
        action->m_launchApp.m_filePath = path;
        return;
    }
    m_editPath.SetWindowText(path.c_str());
    const int end = m_editPath.GetWindowTextLength();
    m_editPath.SetSel(end, end);
}

LRESULT CPageLaunchApp::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        if (LOWORD(wParam) == IDC_EDIT_APP_PATH && HIWORD(wParam) == EN_CHANGE) {
            OnPathChanged();
            return 0;
        }
        if (LOWORD(wParam) == IDC_BTN_BROWSE && HIWORD(wParam) == BN_CLICKED) {
            OnBrowse();
            return 0;
        }
    }
    return CActionEditorPage::WindowProc(message, wParam, lParam);
}
