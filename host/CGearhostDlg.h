#pragma once
// The host main window.
#include "framework/CDialogEx.h"
#include "host/resource.h"

class CGearhostDlg : public CDialogEx {
public:
    enum { IDD = IDD_GEARHOST_DIALOG };

    explicit CGearhostDlg(CWnd* parent = nullptr) : CDialogEx(IDD, parent) {}
};
