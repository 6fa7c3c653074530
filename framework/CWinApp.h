#pragma once
// Application object: one per binary. A program's runs start-up, its message loop and exit;
// a library's gives the library's windows their own message pre-translation.
#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;

    // FALSE ends the program after ExitInstance (dialog programs run their window inside).
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    virtual int Run();
    // Offers msg to the bound windows from its target up to the main window.
    virtual BOOL PreTranslateMessage(MSG* msg);

private:
    friend BOOL AfxSocketInit();
    bool m_socketsStarted = false;
    int m_exitCode = 0;
};

// The application object of this binary, or null.
CWinApp* AfxGetApp();

// The application's pre-translation, or the window chain when there is no application.
BOOL AfxPreTranslateMessage(MSG* msg);

// Windows Sockets 1.1 for the application; stopped again by its ExitInstance.
BOOL AfxSocketInit();

// Program entry: InitInstance, then the message loop when it returned TRUE.
int AfxWinMain(HINSTANCE instance);
