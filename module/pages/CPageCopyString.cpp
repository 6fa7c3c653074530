#include "module/pages/CPageCopyString.h"

#include "module/actions/CCustomActionList.h"
#include "module/pages/CaptionTable.h"
#include "module/pages/resource.h"
#include "module/profiles/StoreLayout.h"

namespace {

const pages::Caption kCaptions[] = {
    {IDC_STATIC_COPY_TEXT, L"IDC_STATIC_COPY_TEXT", L"Text:"},
    {IDC_STATIC_DESCRIPTION, L"IDC_STATIC_DESCRIPTION", L"Description:"},
    {IDC_STATIC_DESCRIPTION_TEXT, L"IDC_STATIC_DESCRIPTION_STRING_COPY_STRING",
     L"Copy a sring after a button was clicked"},
};

} // namespace

CPageCopyString::CPageCopyString(CCustomActionList& actions, const std::wstring& currentActionId)
    : CActionEditorPage(IDD_PAGE_COPYSTRING, actions, currentActionId) {
    AddNormalImage(L".\\res\\CopyString_Normal.bmp");
    AddDisableImage(L".\\res\\CopyString_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\CopyString_Disable.bmp");
    AddHoverImage(L".\\res\\CopyString_Hover.bmp");
    AddHoverSelectedImage(L".\\res\\CopyString_Hover.bmp");
    AddSelectedImage(L".\\res\\CopyString_Selected.bmp");
    SetMaskImage(L".\\res\\CopyString_Mask.bmp");
}

void CPageCopyString::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_EDIT_COPY_TEXT, m_editText);
    DDX_Control(dx, IDC_STATIC_COPY_TEXT, m_staticText);
    DDX_Control(dx, IDC_STATIC_DESCRIPTION, m_staticDescription);
    DDX_Control(dx, IDC_STATIC_DESCRIPTION_TEXT, m_staticDescriptionText);
}

BOOL CPageCopyString::OnInitDialog() {
    CActionEditorPage::OnInitDialog();
    m_staticText.MoveWindow(15, 37, 53, 18, FALSE);
    m_staticText.SetTextFormat(DT_RIGHT);
    m_staticDescription.MoveWindow(293, 18, 96, 18, FALSE);
    m_staticDescriptionText.MoveWindow(296, 39, 149, 174, FALSE);
    m_editText.MoveWindow(78, 40, 200, 178, FALSE);
    m_editText.ModifyStyle(0, WS_CLIPSIBLINGS);
    m_editText.SetLimitText(static_cast<UINT>(kMaxStoredTextLength));
    return TRUE;
}

void CPageCopyString::OnLanguageChanged() {
    SetCaptions(*this, kCaptions);
}

void CPageCopyString::Exchange() {
    UpdateData(FALSE);
    const CCustomAction* action = CurrentAction();
    m_editText.SetWindowText(action ? action->m_copyString.m_string.c_str() : L"");
}

void CPageCopyString::OnTextChanged() {
    if (CCustomAction* action = CurrentAction())
        action->m_copyString.m_string = m_editText.GetWindowText();
}

LRESULT CPageCopyString::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_EDIT_COPY_TEXT &&
        HIWORD(wParam) == EN_CHANGE) {
        OnTextChanged();
        return 0;
    }
    return CActionEditorPage::WindowProc(message, wParam, lParam);
}
