#include "module/pages/CPageKeypress.h"

#include "module/actions/CCustomActionList.h"
#include "module/pages/CaptionTable.h"
#include "module/pages/resource.h"

namespace {

const pages::Caption kCaptions[] = {
    {IDC_STATIC_KEY_PRESS, L"IDC_STATIC_KEY_PRESS", L"Keypress:"},
    {IDC_STATIC_DESCRIPTION, L"IDC_STATIC_DESCRIPTION", L"Description:"},
    {IDC_STATIC_DESCRIPTION_TEXT, L"IDC_STATIC_DESCRIPTION_STRING_KEYPRESS",
     L"Automaticly send key"},
    {IDC_CHK_RECORD_DELAY, L"IDC_CHK_RECORD_DELAY", L"Record Delay"},
};

} // namespace

CPageKeypress::CPageKeypress(CCustomActionList& actions, const std::wstring& currentActionId)
    : CActionEditorPage(IDD_PAGE_KEYPRESS, actions, currentActionId) {
    AddNormalImage(L".\\res\\Keypress_Normal.bmp");
    AddDisableImage(L".\\res\\Keypress_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\Keypress_DisableSelected.bmp");
    AddHoverImage(L".\\res\\Keypress_Hover.bmp");
    AddHoverSelectedImage(L".\\res\\Keypress_HoverSelected.bmp");
    AddSelectedImage(L".\\res\\Keypress_Selected.bmp");
    SetMaskImage(L".\\res\\Keypress_Mask.bmp");
}

void CPageKeypress::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BTN_RECORD, m_btnRecord);
    DDX_Control(dx, IDC_CHK_RECORD_DELAY, m_checkRecordDelay);
    DDX_Control(dx, IDC_STATIC_KEY_PRESS, m_staticKeypress);
    DDX_Control(dx, IDC_STATIC_DESCRIPTION, m_staticDescription);
    DDX_Control(dx, IDC_STATIC_DESCRIPTION_TEXT, m_staticDescriptionText);
    DDX_Control(dx, IDC_LIST_MACRO, m_listMacro);
}

BOOL CPageKeypress::OnInitDialog() {
    CActionEditorPage::OnInitDialog();
    m_staticKeypress.MoveWindow(0, 42, 69, 18, FALSE);
    m_staticKeypress.SetTextFormat(DT_RIGHT);
    m_staticDescription.MoveWindow(293, 18, 77, 18, FALSE);
    m_staticDescriptionText.MoveWindow(296, 41, 150, 133, FALSE);
    m_btnRecord.MoveWindow(71, 182, 114, 36, FALSE);
    m_checkRecordDelay.MoveWindow(212, 187, 102, 28, FALSE);
    m_checkRecordDelay.m_nTextIndent = 23;
    m_listMacro.MoveWindow(75, 39, 202, 135, FALSE);
    m_listMacro.LoadItemImage();
    m_listMacro.LoadButtonImage();
    m_listMacro.LoadIndicatorImage();
    return TRUE;
}

void CPageKeypress::OnLanguageChanged() {
    SetCaptions(*this, kCaptions);
    CaptionRecordButton();
}

void CPageKeypress::CaptionRecordButton() {
    m_btnRecord.SetWindowText(m_listMacro.IsRecording()
                                  ? TextOr(L"IDC_BTN_STOP_RECORD", L"Stop Record")
                                  : TextOr(L"IDC_BTN_START_RECORD", L"Record Macro"));
}

void CPageKeypress::Exchange(bool save) {
    UpdateData(save ? TRUE : FALSE);
    if (save) {
        m_listMacro.SaveIntoAction(m_actions);
        return;
    }
    StopRecording();
    m_listMacro.LoadAction(m_actions, m_currentActionId);
}

void CPageKeypress::StopRecording() {
    m_hideWatch.Stop();
    if (!m_listMacro.IsRecording())
        return;
    m_listMacro.StopRecording(m_actions);
    CaptionRecordButton();
}

void CPageKeypress::OnRecord() {
    if (m_listMacro.IsRecording()) {
        StopRecording();
        return;
    }
    // Whatever hides the list from the user (this page, the button page, the module window or
    // the host window, hidden, minimised or destroyed) ends the recording first.
    m_hideWatch.Start(m_listMacro.GetSafeHwnd(), [this] { StopRecording(); });
    m_listMacro.SetRecording(true);
    CaptionRecordButton();
}

void CPageKeypress::OnRecordDelay() {
    m_listMacro.SetRecordDelay(m_checkRecordDelay.GetChecked() != 0);
}

LRESULT CPageKeypress::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_BTN_RECORD) {
            OnRecord();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_CHK_RECORD_DELAY) {
            OnRecordDelay();
            return 0;
        }
        break;
    }
    return CActionEditorPage::WindowProc(message, wParam, lParam);
}
