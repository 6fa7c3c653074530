// Sockets first: winsock2.h must come before windows.h.
#include <winsock2.h>

#include "framework/CWinApp.h"

#include "framework/CWnd.h"
#include "framework/Module.h"

namespace {
CWinApp* g_currentApp = nullptr;
}

CWinApp::CWinApp() : m_hInstance(fw::ThisModule()) {
    g_currentApp = this;
}

CWinApp::~CWinApp() {
    if (g_currentApp == this)
        g_currentApp = nullptr;
}

CWinApp* AfxGetApp() {
    return g_currentApp;
}

int CWinApp::ExitInstance() {
    if (m_socketsStarted) {
        WSACleanup();
        m_socketsStarted = false;
    }
    return m_exitCode;
}

int CWinApp::Run() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_exitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    return CWnd::WalkPreTranslateTree(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr, msg);
}

BOOL AfxPreTranslateMessage(MSG* msg) {
    if (CWinApp* app = AfxGetApp())
        return app->PreTranslateMessage(msg);
    return CWnd::WalkPreTranslateTree(nullptr, msg);
}

BOOL AfxSocketInit() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return FALSE;
    if (CWinApp* app = AfxGetApp())
        app->m_socketsStarted = true;
    return TRUE;
}

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
