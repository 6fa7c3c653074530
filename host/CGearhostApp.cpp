#include "host/CGearhostApp.h"

#include "framework/Module.h"
#include "host/CGearhostDlg.h"
#include "host/resource.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <cwchar>

namespace {
constexpr wchar_t kModuleSection[] = L"gaming_module";
constexpr DWORD kModuleValueChars = MAX_PATH;
} // namespace

CGearhostApp::CGearhostApp() {
    m_dwRestartManagerSupportFlags = 1;
}

const wchar_t* CGearhostApp::HostWindowClass() {
    return L"" GEARHOST_WINDOW_CLASS;
}

bool CGearhostApp::ActivateRunningInstance() {
    HWND running = FindWindowW(HostWindowClass(), nullptr);
    if (!running)
        return false;
    if (GetWindowLongW(running, GWL_STYLE) & WS_MINIMIZE)
        ShowWindow(running, SW_RESTORE);
    else
        SetWindowPos(running, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    SetForegroundWindow(running);
    return true;
}

bool CGearhostApp::RegisterHostWindowClass(HINSTANCE instance) {
    WNDCLASSW dialogClass = {};
    if (!GetClassInfoW(instance, L"#32770", &dialogClass))
        return false;
    dialogClass.hInstance = instance;
    dialogClass.lpszClassName = HostWindowClass();
    return RegisterClassW(&dialogClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CGearhostApp::UseExecutableDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (wchar_t* lastSlash = wcsrchr(path, L'\\'))
        *lastSlash = L'\0';
    SetCurrentDirectoryW(path);
    m_strAppDir = path;
}

BOOL CGearhostApp::InitInstance() {
    if (ActivateRunningInstance())
        return FALSE;
    RegisterHostWindowClass(m_hInstance);
    UseExecutableDirectory();

    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);

    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr);

    CWinApp::InitInstance();
    if (!AfxSocketInit()) {
        std::wstring text = fw::LoadResourceString(IDS_SOCKETS_INIT_FAILED);
        MessageBoxW(nullptr, text.c_str(), L"Gearhost", MB_OK | MB_ICONERROR);
        return FALSE;
    }

    LoadModules();

    CGearhostDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CGearhostApp::ExitInstance() {
    FreeModules();
    if (m_gdiplusToken) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    return CWinApp::ExitInstance();
}

void CGearhostApp::LoadModules() {
    const std::wstring iniPath = m_strAppDir + L"\\module.ini";
    // A broken library must not stop the start with a system error box.
    DWORD oldErrorMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldErrorMode);

    for (int index = 1;; ++index) {
        wchar_t key[24];
        swprintf(key, sizeof(key) / sizeof(key[0]), L"module%d", index);
        wchar_t path[kModuleValueChars] = {};
        if (GetPrivateProfileStringW(kModuleSection, key, L"", path, kModuleValueChars,
                                     iniPath.c_str()) == 0)
            break;

        HMODULE library = LoadLibraryW(path);
        if (!library)
            continue;
        auto factory = reinterpret_cast<GamingModuleFactory>(
            reinterpret_cast<void*>(GetProcAddress(library, kGamingModuleFactoryName)));
        IGamingModule* module = factory ? factory() : nullptr;
        if (module)
            m_modules.push_back(module);
        else
            FreeLibrary(library);
    }

    SetThreadErrorMode(oldErrorMode, nullptr);
}

void CGearhostApp::FreeModules() {
    for (IGamingModule* module : m_modules) {
        // The object is gone after Release, so its library handle is asked first.
        HINSTANCE library = module->GetInstanceHandle();
        module->Release();
        FreeLibrary(library);
    }
    m_modules.clear();
}

BOOL CGearhostApp::PreTranslateMessage(MSG* msg) {
    for (IGamingModule* module : m_modules) {
        if (module->PreTranslateMessage(msg))
            return TRUE;
    }
    return CWinApp::PreTranslateMessage(msg);
}
