// A program for the foreground tests: a window with one edit field that comes to the front at
// start and ends when it is closed. Like a dialog it gives the field the focus whenever it is
// activated: under Wine the focus event that this raises is what tells other processes. (The
// focus moves from the window to the field after the activation, as a dialog's does; a focus
// set during the activation itself raises no event there.) Tests copy it under the file names
// their profiles name.
#include <windows.h>

namespace {

HWND g_edit = nullptr;
constexpr UINT kFocusField = WM_APP + 1;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            PostMessageW(window, kFocusField, 0, 0);
        break;
    case kFocusField:
        if (g_edit)
            SetFocus(g_edit);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"GearhostFrontProbe";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (!RegisterClassW(&windowClass))
        return 1;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Front probe", WS_OVERLAPPEDWINDOW,
                                  100, 100, 320, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    g_edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 280, 24,
                             window, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
