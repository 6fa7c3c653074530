// Not a test: pictures of the button page with each editor page shown, on the skin pictures
// beside the program, for review. Usage: button_page_screens.exe FOLDER (default: the current
// folder); writes buttons-keypress.png, buttons-text.png and buttons-launch.png.
#include "framework/Picture.h"
#include "module/actions/BuiltInActions.h"
#include "module/pages/CPageButtons.h"
#include "module/pages/resource.h"
#include "tools/gallery/ImageEncoders.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr UINT kHostTemplate = 660;

class FixedTicks : public platform::ITickSource {
public:
    std::uint32_t Milliseconds() const override { return 1; }
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

bool SavePng(HWND window, const std::wstring& path) {
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

} // namespace

int wmain(int argc, wchar_t** argv) {
    wchar_t started[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, started);
    std::wstring target = argc > 1 ? argv[1] : started;
    wchar_t full[MAX_PATH];
    GetFullPathNameW(target.c_str(), MAX_PATH, full, nullptr);
    target = full;
    // Whichever picture tool the test run starts first makes the folder.
    CreateDirectoryW(target.c_str(), nullptr);
    // The pictures are found as .\res\ beside the program.
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    SetCurrentDirectoryW(folder.c_str());

    fw::GdiplusSession gdiplus;
    CProfileList profiles;
    std::wstring currentProfileId = L"ID_PROFILE_1";
    CCustomActionList actions;
    FixedTicks ticks;
    AddMissingBuiltInActions(actions);
    const std::wstring macro = actions.CreateAction(CCustomAction::kKeypressMacro, 1);
    actions.Find(macro)->m_name = L"Sprint and jump";
    actions.Find(macro)->m_description = L"Shift held over A, then Enter";
    actions.Find(macro)->m_macro.m_steps = {Key(VK_SHIFT, false),       Key('A', false, 120),
                                            Key('A', true, 35),         Key(VK_SHIFT, true),
                                            Key(VK_RETURN, false, 500), Key(VK_RETURN, true)};
    const std::wstring text = actions.CreateAction(CCustomAction::kTextMacro, 2);
    actions.Find(text)->m_name = L"Greeting";
    actions.Find(text)->m_description = L"Two lines into the chat";
    actions.Find(text)->m_copyString.m_string = L"Good game, everyone!\r\nSee you tomorrow.";
    const std::wstring launch = actions.CreateAction(CCustomAction::kLaunchApplication, 3);
    actions.Find(launch)->m_name = L"Notepad";
    actions.Find(launch)->m_description = L"Opens the editor";
    actions.Find(launch)->m_launchApp.m_filePath = L"C:\\windows\\system32\\notepad.exe";
    CProfileVireo profile = CProfileVireo::MakeStandard(currentProfileId, L"Profile");
    profile.m_buttonAction[1] = macro;
    profile.m_buttonAction[3] = text;
    profile.m_buttonAction[4] = launch;
    profile.m_buttonEnable[2] = 0;
    profiles.Append(profile);

    CDialog host(kHostTemplate);
    if (!host.Create(kHostTemplate))
        return 1;
    CPageButtons page(ModuleModel{profiles, currentProfileId, actions, ticks});
    if (!page.Create(IDD_PAGE_BUTTONS, &host))
        return 1;
    const RECT area = page.GetWindowRect();
    host.SetWindowPos(HWND_TOP, 40, 40, area.right - area.left, area.bottom - area.top, 0);
    page.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    page.ShowWindow(SW_SHOW);
    host.ShowWindow(SW_SHOW);
    SetForegroundWindow(host.m_hWnd);
    page.RefreshFromProfile();
    Pump();

    struct Shot {
        int button;
        const wchar_t* file;
    } shots[] = {
        {1, L"buttons-keypress.png"}, {3, L"buttons-text.png"}, {4, L"buttons-launch.png"}};
    int failed = 0;
    for (const Shot& shot : shots) {
        const int id = IDC_COMBO_BUTTON1 + shot.button;
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, id)));
        Pump();
        host.RedrawWindow(nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        GdiFlush();
        const bool saved = SavePng(host.m_hWnd, target + L"\\" + shot.file);
        std::printf("%ls %s\n", shot.file, saved ? "saved" : "failed");
        failed += saved ? 0 : 1;
    }
    return failed;
}
