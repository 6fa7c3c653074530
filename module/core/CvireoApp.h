#pragma once
// The module library's application object: lives from load to unload and owns the module's
// persistent state.
#include "framework/CWinApp.h"

#include <string>

class CvireoApp : public CWinApp {
public:
    std::wstring m_appDir;

    BOOL InitInstance() override;
};

// The library's single application object.
CvireoApp& GetVireoApp();
