#include "host/CDlgQuestion.h"

namespace {} // namespace

CDlgQuestion::CDlgQuestion(CWnd* parent) : CSkinDialog(IDD) {
    m_pParentWnd = parent;
    AddNormalImage(L".\\res\\MessageBox_Normal.bmp");
    AddDisableImage(L".\\res\\MessageBox_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\MessageBox_Disable.bmp");
    AddHoverImage(L".\\res\\MessageBox_Hover.bmp");
    AddHoverSelectedImage(L".\\res\\MessageBox_Selected.bmp");
    AddSelectedImage(L".\\res\\MessageBox_Selected.bmp");
    SetMaskImage(L".\\res\\MessageBox_Mask.bmp");
}

BOOL CDlgQuestion::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_btnOK.SubclassDlgItem(IDOK, this);
    m_btnCancel.SubclassDlgItem(IDCANCEL, this);
    m_stText.SubclassDlgItem(IDC_STATIC_QUESTION, this);
    m_btnOK.MoveWindow(74, 88, 99, 29);
    m_btnCancel.MoveWindow(227, 88, 99, 29);
    m_stText.MoveWindow(47, 26, 291, 52);
    m_stText.SetWindowText(m_strQuestion.c_str());
    m_bDraggable = TRUE;
    if (m_nX != 0 && m_nY != 0)
        SetWindowPos(nullptr, m_nX, m_nY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    m_btnOK.SetWindowText(TextOr(L"IDOK", L"OK"));
    m_btnCancel.SetWindowText(TextOr(L"IDCANCEL", L"Cancel"));
    return TRUE;
}
