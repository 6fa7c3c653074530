#pragma once
// Dialog from a template resource of this binary, modal (DoModal runs the framework's own
// loop so every message passes the application's PreTranslateMessage chain) or modeless.
#include "framework/CDataExchange.h"
#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    UINT GetTemplateId() const { return m_templateId; }

    // A dialog whose first data exchange fails is not shown: DoModal returns -1 and Create
    // FALSE.
    virtual INT_PTR DoModal();
    // Modeless: creates the dialog (as a child when the template says so) and returns.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual void EndDialog(INT_PTR result);

    BOOL PreTranslateMessage(MSG* msg) override;

    // FALSE: members into controls; TRUE: controls into members. FALSE when an exchange
    // failed (the members it could read are updated).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Fills the controls (UpdateData(FALSE)); TRUE lets the system focus the first control.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    CWnd* m_pParentWnd;

private:
    UINT m_templateId;
    bool m_inModalLoop = false;
    bool m_initExchangeFailed = false;
    INT_PTR m_modalResult = -1;

    HWND CreateFromTemplate(HWND parent);
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProcThunk(HWND, UINT, WPARAM, LPARAM);
};
