// How fast the host window is: its full repaint against the same layout made of the system's
// own controls, and Gearhost's start until its icon is in the notification area against a
// trivial window program's start, each pair measured in the same run.
// Usage: host_benchmark [repaints]     (run from build/bin, with the session's display)
#include "framework/CDialog.h"
#include "host/CGearhostApp.h"
#include "host/CGearhostDlg.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t kMousePath[] = L"\\\\?\\hid#vid_0c45&pid_7303&mi_00#7&1a2b3c4d&0&0000#"
                             L"{4d1e55b2-f16f-11cf-88cb-001111000030}";

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double MillisecondsSince(LONGLONG start) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(Now() - start) / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double TimeRepaints(HWND window, int count) {
    const LONGLONG start = Now();
    for (int i = 0; i < count; ++i)
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return MillisecondsSince(start) / count;
}

std::wstring ProgramDir() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (wchar_t* slash = wcsrchr(path, L'\\'))
        *slash = L'\0';
    return path;
}

// Milliseconds from CreateProcess until the program waits for input: for Gearhost that is
// after its window went to the notification area, icon added. The program is then closed.
double TimeStart(const std::wstring& commandLine, bool closeHostWindow) {
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    std::wstring line = commandLine;
    const LONGLONG start = Now();
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        ProgramDir().c_str(), &startup, &process))
        return -1.0;
    WaitForInputIdle(process.hProcess, INFINITE);
    const double ms = MillisecondsSince(start);
    HWND window = closeHostWindow ? FindWindowW(CGearhostApp::HostWindowClass(), nullptr)
                                  : FindWindowW(L"TrivialWindow", nullptr);
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The host window's layout made of the system's own controls, with a plain child standing
// where the module window is.
class CSystemLayoutDialog : public CDialog {
public:
    CSystemLayoutDialog() : CDialog(IDD_QUESTION) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (int id : {IDOK, IDCANCEL, IDC_STATIC_QUESTION})
            ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
        SetWindowPos(nullptr, 60, 60, 1056, 664, SWP_NOZORDER | SWP_FRAMECHANGED);
        struct Control {
            const wchar_t* type;
            DWORD style;
            RECT rect;
        } const controls[] = {
            {WC_STATICW, 0, {20, 62, 92, 80}},
            {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, {21, 88, 168, 262}},
            {WC_STATICW, 0, {20, 278, 92, 296}},
            {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, {21, 302, 168, 597}},
            {WC_BUTTONW, BS_PUSHBUTTON, {14, 606, 95, 639}},
            {WC_BUTTONW, BS_PUSHBUTTON, {98, 606, 179, 639}},
            {WC_COMBOBOXW, CBS_DROPDOWNLIST, {957, 42, 1047, 122}},
            {WC_BUTTONW, BS_PUSHBUTTON, {989, 7, 1013, 28}},
            {WC_BUTTONW, BS_PUSHBUTTON, {1019, 7, 1043, 28}},
            {WC_STATICW, 0, {187, 48, 1051, 656}},
        };
        for (const Control& c : controls) {
            HWND control =
                CreateWindowExW(0, c.type, L"Text", WS_CHILD | WS_VISIBLE | c.style, c.rect.left,
                                c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top,
                                m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
            if (wcscmp(c.type, WC_LISTBOXW) == 0) {
                ::SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Item one"));
                ::SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Item two"));
                ::SendMessageW(control, LB_SETCURSEL, 0, 0);
            }
        }
        return TRUE;
    }
};

class NoNotifyArea : public INotifyArea {
public:
    bool Add(const NOTIFYICONDATAW&) override { return true; }
    bool Delete(const NOTIFYICONDATAW&) override { return true; }
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int repaints = argc > 1 ? std::max(1, _wtoi(argv[1])) : 200;
    SetCurrentDirectoryW(ProgramDir().c_str());

    // Starts first: a host window of this process would make Gearhost.exe hand over to it.
    std::vector<double> hostStarts;
    std::vector<double> trivialStarts;
    const std::wstring trivial = L"\"" + ProgramDir() + L"\\trivial_window.exe\"";
    const std::wstring host = L"\"" + ProgramDir() + L"\\Gearhost.exe\"";
    for (int round = 0; round < 5; ++round) {
        trivialStarts.push_back(TimeStart(trivial, false));
        hostStarts.push_back(TimeStart(host, true));
    }

    INITCOMMONCONTROLSEX common = {sizeof(common), 0xFF};
    InitCommonControlsEx(&common);
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    double skinned = 0.0;
    double system = 0.0;
    {
        CGearhostApp app;
        app.m_strAppDir = ProgramDir();
        CGearhostApp::RegisterHostWindowClass(GetModuleHandleW(nullptr));
        app.LoadModules();
        NoNotifyArea area;
        CGearhostDlg dialog;
        dialog.SetNotifyArea(&area);
        dialog.Create(CGearhostDlg::IDD);
        dialog.OnDeviceArrival(kMousePath);
        SendMessageW(dialog.GetSafeHwnd(), WM_TRAYNOTIFY, CTrayIcon::kIconId, WM_LBUTTONDBLCLK);
        Pump();
        TimeRepaints(dialog.GetSafeHwnd(), 5); // warm
        skinned = TimeRepaints(dialog.GetSafeHwnd(), repaints);
        dialog.DestroyWindow();

        CSystemLayoutDialog baseline;
        baseline.Create(IDD_QUESTION);
        Pump();
        TimeRepaints(baseline.GetSafeHwnd(), 5);
        system = TimeRepaints(baseline.GetSafeHwnd(), repaints);
        baseline.DestroyWindow();
        Pump();
        app.FreeModules();
    }
    Gdiplus::GdiplusShutdown(gdiplusToken);

    wprintf(L"host window, full repaint (%d rounds):\n", repaints);
    wprintf(L"  skinned host window        %7.2f ms  (one 60 Hz frame: 16.67 ms)\n", skinned);
    wprintf(L"  system controls, same layout %5.2f ms  (%.1fx)\n", system,
            system > 0 ? skinned / system : 0.0);
    wprintf(L"start until waiting for input, median of 5:\n");
    wprintf(L"  Gearhost.exe (icon in the notification area) %7.1f ms\n", Median(hostStarts));
    wprintf(L"  trivial window program                      %7.1f ms  (%.1fx)\n",
            Median(trivialStarts),
            Median(trivialStarts) > 0 ? Median(hostStarts) / Median(trivialStarts) : 0.0);
    // For scripts/bench.sh.
    wprintf(L"RESULT host_repaint %.4f ms\nRESULT host_repaint_system %.4f ms\n", skinned, system);
    wprintf(L"RESULT host_start %.4f ms\nRESULT trivial_start %.4f ms\n", Median(hostStarts),
            Median(trivialStarts));
    return 0;
}
