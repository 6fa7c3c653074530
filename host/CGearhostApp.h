#pragma once
// The host program's application object: single instance, process set-up, the module
// libraries of module.ini, and their release at exit.
#include "framework/CWinApp.h"
#include "module/core/IGamingModule.h"

#include <string>
#include <vector>

class CGearhostApp : public CWinApp {
public:
    CGearhostApp();

    std::wstring m_strAppDir;
    std::vector<IGamingModule*> m_modules;
    ULONG_PTR m_gdiplusToken = 0;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    void LoadModules();
    void FreeModules();

    // Brings a running instance forward; false when none runs.
    static bool ActivateRunningInstance();
    // The host window class: the system dialog class under the host's own name.
    static bool RegisterHostWindowClass(HINSTANCE instance);
    static const wchar_t* HostWindowClass();

private:
    void UseExecutableDirectory();
};
