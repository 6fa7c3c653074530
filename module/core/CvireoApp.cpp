#include "module/core/CvireoApp.h"

namespace {
CvireoApp theApp;
}

CvireoApp& GetVireoApp() {
    return theApp;
}

BOOL CvireoApp::InitInstance() {
    CWinApp::InitInstance();
    // The host made its own directory current before loading modules; it is the base of
    // the module's language file.
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    m_appDir = directory;
    return TRUE;
}
