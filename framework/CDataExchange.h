#pragma once
// Moves values between a dialog's controls and its members: UpdateData(FALSE) fills the
// controls, UpdateData(TRUE) reads them back. DDX_Control binds a template control to its
// member object the first time.
#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    bool m_bSaveAndValidate;
    bool m_bFailed = false; // set by an exchange that could not bind or read its control
};

// Fails the exchange when the control is not there to be bound.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
// A control that does not hold a whole number fails the exchange and keeps value.
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
