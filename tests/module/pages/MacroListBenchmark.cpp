// The macro list's costs against plain baselines in the same run: 2,000 rows through
// LoadSteps and back through SaveSteps (baseline: an owner-drawn system list filled with the
// same texts and a step per row), and the hook procedure per event (baseline: a procedure
// that only passes the event on), called directly and through SendInput. With
// --screenshot FILE.png it saves a picture of the list on the keypress page's pictures.
#include "framework/Picture.h"
#include "module/actions/CMacroKeyHook.h"
#include "module/pages/CSkinMacroListBox.h"
#include "skin/CSkinDialog.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/BenchmarkTiming.h"
#include "tools/gallery/ImageEncoders.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using testing_support::Median;

constexpr UINT kTemplate = 640;
constexpr int kListId = 6054;
constexpr int kRounds = 5;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median over the rounds of one timed call, in ms.
double Time(const std::function<void()>& work) {
    std::vector<double> samples;
    for (int round = 0; round < kRounds; ++round) {
        const double start = Now();
        work();
        samples.push_back(Now() - start);
    }
    return Median(samples);
}

class KeypressDialog : public CSkinDialog {
public:
    KeypressDialog() : CSkinDialog(kTemplate) {
        AddNormalImage(L".\\res\\Keypress_Normal.bmp");
        AddDisableImage(L".\\res\\Keypress_Disable.bmp");
        AddDisableSelectedImage(L".\\res\\Keypress_DisableSelected.bmp");
        AddHoverImage(L".\\res\\Keypress_Hover.bmp");
        AddHoverSelectedImage(L".\\res\\Keypress_HoverSelected.bmp");
        AddSelectedImage(L".\\res\\Keypress_Selected.bmp");
    }
    CSkinMacroListBox m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kListId, m_list); }
    BOOL OnInitDialog() override {
        CSkinDialog::OnInitDialog();
        m_list.MoveWindow(75, 39, 202, 135);
        m_list.LoadItemImage();
        m_list.LoadButtonImage();
        m_list.LoadIndicatorImage();
        return TRUE;
    }
};

MacroStep Key(WORD vk, bool up, std::uint32_t time = 0) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    step.dwFlags = up ? MacroStep::kKeyUp : 0;
    step.time = time;
    return step;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool SaveScreenshot(HWND window, const std::wstring& path) {
    RECT rect = {};
    GetClientRect(window, &rect);
    HDC windowDc = GetDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, rect.right, rect.bottom);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, rect.right, rect.bottom, windowDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, old);
    bool saved = false;
    {
        Gdiplus::Bitmap picture(bitmap, nullptr);
        CLSID png = {};
        saved = gallery::FindEncoder(L"image/png", &png) &&
                picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    return saved;
}

int Screenshot(KeypressDialog& dialog, const std::wstring& path) {
    CSkinMacroListBox& list = dialog.m_list;
    list.LoadSteps({Key(VK_SHIFT, false), Key('A', false, 120), Key('A', true, 35),
                    Key(VK_SHIFT, true), Key(VK_RETURN, false, 500), Key(VK_RETURN, true)});
    RECT row = {};
    list.GetItemRect(2, &row); // selected by a click: its partner is framed
    const LPARAM at = MAKELPARAM(40, (row.top + row.bottom) / 2);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
    list.GetItemRect(3, &row); // the row under the pointer shows its buttons
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, (row.top + row.bottom) / 2));
    for (int i = 0; i < 20; ++i) {
        Pump();
        Sleep(10);
    }
    dialog.RedrawWindow(nullptr, nullptr,
                        RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    const bool saved = SaveScreenshot(dialog.m_hWnd, path);
    std::printf("screenshot %s\n", saved ? "saved" : "failed");
    return saved ? 0 : 1;
}

LRESULT CALLBACK EmptyProc(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BenchmarkRows(KeypressDialog& dialog) {
    std::vector<MacroStep> steps;
    for (int i = 0; i < 1000; ++i) {
        steps.push_back(Key(static_cast<WORD>('A' + i % 26), false));
        steps.push_back(Key(static_cast<WORD>('A' + i % 26), true));
    }
    CSkinMacroListBox& list = dialog.m_list;
    const double load = Time([&] {
        list.LoadSteps(steps);
        list.UpdateWindow();
    });
    std::vector<MacroStep> saved;
    const double save = Time([&] { list.SaveSteps(saved); });

    // The baseline: the system's owner-drawn list, the same texts, a step per row.
    HWND plain =
        CreateWindowExW(0, L"LISTBOX", L"",
                        WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL,
                        75, 39, 202, 135, dialog.m_hWnd, nullptr, nullptr, nullptr);
    list.ShowWindow(SW_HIDE);
    std::vector<std::wstring> names;
    for (const MacroStep& step : steps)
        names.push_back(CSkinMacroListBox::KeyName(step));
    std::vector<MacroStep> copies(steps.size());
    const double plainLoad = Time([&] {
        SendMessageW(plain, WM_SETREDRAW, FALSE, 0);
        SendMessageW(plain, LB_RESETCONTENT, 0, 0);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            copies[i] = steps[i];
            const LRESULT row =
                SendMessageW(plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].c_str()));
            SendMessageW(plain, LB_SETITEMDATA, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&copies[i]));
        }
        SendMessageW(plain, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(plain, nullptr, TRUE);
        UpdateWindow(plain);
    });
    std::vector<MacroStep> plainSaved;
    const double plainSave = Time([&] {
        plainSaved.clear();
        const int count = static_cast<int>(SendMessageW(plain, LB_GETCOUNT, 0, 0));
        wchar_t text[64];
        for (int row = 0; row < count; ++row) {
            SendMessageW(plain, LB_GETTEXT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(text));
            plainSaved.push_back(*reinterpret_cast<const MacroStep*>(
                SendMessageW(plain, LB_GETITEMDATA, static_cast<WPARAM>(row), 0)));
        }
    });
    DestroyWindow(plain);
    list.ShowWindow(SW_SHOW);
    std::printf("rows: %d in the list, %zu steps saved back (median of %d)\n", list.GetCount(),
                saved.size(), kRounds);
    std::printf("  LoadSteps  %8.2f ms   system list fill %8.2f ms   %.1fx\n", load, plainLoad,
                load / plainLoad);
    std::printf("  SaveSteps  %8.2f ms   system list read %8.2f ms   %.1fx\n", save, plainSave,
                save / plainSave);
}

void BenchmarkHook(HWND receiver) {
    constexpr int kEvents = 1000;
    KBDLLHOOKSTRUCT event{};
    event.vkCode = 'A';
    event.scanCode = 0x1E;
    const auto direct = [&](HOOKPROC proc) {
        std::vector<double> samples;
        for (int round = 0; round < kRounds; ++round) {
            const double start = Now();
            for (int i = 0; i < kEvents; ++i)
                proc(HC_ACTION, WM_KEYDOWN, reinterpret_cast<LPARAM>(&event));
            samples.push_back((Now() - start) * 1000.0 / kEvents);
            MSG message; // what was posted, dropped untimed
            while (PeekMessageW(&message, receiver, 0, 0, PM_REMOVE)) {
            }
        }
        return Median(samples);
    };
    CMacroKeyHook::Start(receiver);
    const double ours = direct(&CMacroKeyHook::HookProc);
    CMacroKeyHook::Stop();
    const double empty = direct(&EmptyProc);
    std::printf("hook procedure per event, called directly (median of %d x %d)\n", kRounds,
                kEvents);
    std::printf("  recorder  %7.3f us   pass-on only %7.3f us\n", ours, empty);
    std::printf("RESULT hook_procedure %.4f us\nRESULT hook_procedure_pass_on %.4f us\n", ours,
                empty);

    // Through the system: SendInput to a hook of this thread, press and release of F13.
    const auto viaSystem = [&](bool recorder) {
        HHOOK emptyHook = nullptr;
        if (recorder)
            CMacroKeyHook::Start(receiver);
        else
            emptyHook = SetWindowsHookExW(WH_KEYBOARD_LL, &EmptyProc, GetModuleHandleW(nullptr), 0);
        std::vector<double> samples;
        for (int round = 0; round < kRounds; ++round) {
            const double start = Now();
            for (int i = 0; i < 100; ++i) {
                INPUT input[2] = {};
                input[0].type = input[1].type = INPUT_KEYBOARD;
                input[0].ki.wVk = input[1].ki.wVk = VK_F13;
                input[1].ki.dwFlags = KEYEVENTF_KEYUP;
                SendInput(2, input, sizeof(INPUT));
            }
            samples.push_back((Now() - start) * 1000.0 / 200);
            Pump();
        }
        if (recorder)
            CMacroKeyHook::Stop();
        else
            UnhookWindowsHookEx(emptyHook);
        Pump();
        return Median(samples);
    };
    const double systemOurs = viaSystem(true);
    const double systemEmpty = viaSystem(false);
    std::printf("SendInput to a hook of this thread, per event (median of %d x 200)\n", kRounds);
    std::printf("  recorder  %7.1f us   pass-on only %7.1f us\n", systemOurs, systemEmpty);
    std::printf("RESULT sendinput_recorder %.4f us\nRESULT sendinput_pass_on %.4f us\n", systemOurs,
                systemEmpty);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // The pictures are found as .\res\ beside the program.
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    wchar_t started[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, started);
    SetCurrentDirectoryW(folder.c_str());

    fw::GdiplusSession gdiplus;
    KeypressDialog dialog;
    if (!dialog.Create(kTemplate))
        return 1;
    dialog.MoveWindow(60, 60, 460, 226);
    dialog.ShowWindow(SW_SHOW);
    Pump();
    if (argc == 3 && wcscmp(argv[1], L"--screenshot") == 0) {
        wchar_t full[MAX_PATH];
        const std::wstring target = std::wstring(started) + L"\\" + argv[2];
        GetFullPathNameW(argv[2][0] && argv[2][1] == L':' ? argv[2] : target.c_str(), MAX_PATH,
                         full, nullptr);
        return Screenshot(dialog, full);
    }
    BenchmarkRows(dialog);
    BenchmarkHook(dialog.m_list.m_hWnd);
    return 0;
}
