// The smallest window program: one window, shown, until it is closed. The start-time
// baseline of host_benchmark.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TrivialWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"TrivialWindow", L"trivial", WS_OVERLAPPEDWINDOW, 10, 10, 300,
                                  200, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
