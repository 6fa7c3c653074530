// Not a test: pictures of the settings page and the statistics page (counting, with counts
// shown and one row pointed at) on the generated skin pictures, for review.
//   info_pages_screens FOLDER   writes FOLDER\settings.png and FOLDER\statistics.png
#include "framework/DeviceContext.h"
#include "framework/Handle.h"
#include "framework/Picture.h"
#include "module/pages/CPageSettings.h"
#include "module/pages/CPageStatistics.h"
#include "tests/module/pages/InfoPageHost.h"
#include "tools/gallery/ImageEncoders.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

class FixedTicks : public platform::ITickSource {
public:
    std::uint32_t now = 0;
    std::uint32_t Milliseconds() const override { return now; }
};

void Pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

bool SaveScreenshot(const CWnd& window, const std::wstring& path) {
    window.RedrawWindow(nullptr, nullptr,
                        RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(5);
    const RECT rect = window.GetClientRect();
    fw::WindowDc windowDc(window.m_hWnd);
    fw::MemoryDc memoryDc(windowDc.Get());
    fw::UniqueBitmap bitmap(CreateCompatibleBitmap(windowDc.Get(), rect.right, rect.bottom));
    {
        fw::SelectedObject selected(memoryDc.Get(), bitmap.get());
        BitBlt(memoryDc.Get(), 0, 0, rect.right, rect.bottom, windowDc.Get(), 0, 0, SRCCOPY);
    }
    Gdiplus::Bitmap picture(bitmap.get(), nullptr);
    CLSID png;
    const bool saved = gallery::FindEncoder(L"image/png", &png) &&
                       picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    std::printf("%ls %s\n", path.c_str(), saved ? "saved" : "not saved");
    return saved;
}

bool ShootSettings(CWnd& host, const std::wstring& path) {
    CPageSettings page;
    if (!page.Create(CPageSettings::IDD, &host))
        return false;
    page.SelectLanguage(nullptr);
    page.CpiSlider().SetRange(0, 3);
    page.CpiSlider().SetValue(2);
    page.ReportRateSlider().SetRange(0, 3);
    page.ReportRateSlider().SetValue(3);
    page.SetPrograms({L"game.exe", L"Editor.EXE", L"a program with a long file name.exe"});
    page.ShowWindow(SW_SHOW);
    Pump(20);
    return SaveScreenshot(page, path);
}

bool ShootStatistics(CWnd& host, const std::wstring& path) {
    int running = 0;
    std::array<int, 5> counts{};
    FixedTicks ticks;
    CPageStatistics page(StatisticsCounters{running, counts}, ticks);
    if (!page.Create(CPageStatistics::IDD, &host))
        return false;
    page.SelectLanguage(nullptr);
    page.ShowWindow(SW_SHOW);
    Pump(5);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_START_STOP, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, IDC_BTN_START_STOP)));
    counts = {152, 87, 23, 9, 41};
    ticks.now = 754000; // 12:34
    ::SendMessageW(::GetDlgItem(page.m_hWnd, IDC_TIMER), WM_TIMER, 1, 0);
    page.RefreshStatistics();
    // The pointer on the middle row: its hot spot lights as well.
    page.SendMessage(
        WM_SKIN_HOVER, TRUE,
        reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, IDC_INDICATOR_BUTTON1 + 1)));
    Pump(20);
    return SaveScreenshot(page, path);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: info_pages_screens FOLDER\n");
        return 2;
    }
    wchar_t folder[MAX_PATH] = {};
    GetFullPathNameW(argv[1], MAX_PATH, folder, nullptr);
    CreateDirectoryW(folder, nullptr);
    const std::wstring out(folder);

    // The pages find their pictures as .\res\ beside the program.
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring programFolder(program);
    programFolder.resize(programFolder.find_last_of(L'\\'));
    SetCurrentDirectoryW(programFolder.c_str());

    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    fw::GdiplusSession gdiplus;
    info_pages_test::InfoPageHost host;
    if (!host.Create(info_pages_test::kHostTemplate))
        return 1;
    host.MoveWindow(40, 40, 800, 540);
    host.ShowWindow(SW_SHOW);
    const bool settings = ShootSettings(host, out + L"\\settings.png");
    const bool statistics = ShootStatistics(host, out + L"\\statistics.png");
    return settings && statistics ? 0 : 1;
}
