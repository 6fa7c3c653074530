#pragma once
#include "framework/CDialog.h"

// Kept as its own class so windows derive from the name they were designed on; it adds
// nothing the system uses.
class CDialogEx : public CDialog {
public:
    using CDialog::CDialog;
};
