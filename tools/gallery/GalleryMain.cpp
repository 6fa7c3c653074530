// Shows every skinned control in every state. With --screenshot FILE.png it saves a picture
// of the window and ends; with --benchmark N it times N full repaints against the same
// window without pictures.
#include "framework/DeviceContext.h"
#include "framework/Handle.h"
#include "tools/gallery/GalleryDialog.h"
#include "tools/gallery/GalleryLayout.h"
#include "tools/gallery/GalleryPictures.h"
#include "tools/gallery/ImageEncoders.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// A scratch folder for the generated state pictures, removed at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"skin-gallery-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const wchar_t* state :
             {L"Normal", L"Disable", L"DisableSelected", L"Hover", L"HoverSelected", L"Selected"})
            DeleteFileW((m_path + L"\\Gallery_" + state + L".bmp").c_str());
        RemoveDirectoryW(m_path.c_str());
    }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

bool SaveScreenshot(CWnd& window, const std::wstring& path) {
    RECT rect = window.GetClientRect();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    fw::WindowDc windowDc(window.m_hWnd);
    fw::MemoryDc memoryDc(windowDc.Get());
    fw::UniqueBitmap bitmap(CreateCompatibleBitmap(windowDc.Get(), width, height));
    {
        fw::SelectedObject selected(memoryDc.Get(), bitmap.get());
        BitBlt(memoryDc.Get(), 0, 0, width, height, windowDc.Get(), 0, 0, SRCCOPY);
    }
    Gdiplus::Bitmap picture(bitmap.get(), nullptr);
    CLSID png;
    return gallery::FindEncoder(L"image/png", &png) &&
           picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

// Milliseconds since an earlier Now().
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

double TimeRepaints(CWnd& window, int count) {
    const LONGLONG start = Now();
    for (int i = 0; i < count; ++i)
        window.RedrawWindow(nullptr, nullptr,
                            RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return MillisecondsSince(start) / count;
}

// Fills the long list with 10,000 items, then scrolls it end to end a page at a time.
void TimeLongList(CSkinListBox& list) {
    constexpr int kItems = 10000;
    list.ResetContent();
    LONGLONG start = Now();
    list.SetRedraw(FALSE);
    for (int i = 0; i < kItems; ++i)
        list.AddString((L"Item " + std::to_wstring(i)).c_str());
    list.SetRedraw(TRUE);
    list.RedrawWindow();
    const double fillMs = MillisecondsSince(start);

    RECT client = list.GetClientRect();
    const int itemHeight = list.GetItemHeight(0) > 0 ? list.GetItemHeight(0) : 1;
    const int page = std::max(1, static_cast<int>(client.bottom - client.top) / itemHeight);
    int steps = 0;
    start = Now();
    for (int top = 0; top < kItems; top += page, ++steps) {
        list.SetTopIndex(top);
        list.UpdateWindow();
    }
    const double scrollMs = MillisecondsSince(start);
    wprintf(L"  long list: fill %d items %.1f ms; scroll end to end in %d pages %.1f ms "
            L"(%.3f ms a page)\n",
            kItems, fillMs, steps, scrollMs, steps ? scrollMs / steps : 0.0);
}

// The same layout with the system's own controls: what a repaint of this many windows costs
// without any skin.
class CSystemControlsDialog : public CDialog {
public:
    CSystemControlsDialog() : CDialog(100) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        MoveWindow(60, 60, gallery::kWidth, gallery::kHeight);
        UINT id = 3000;
        for (const gallery::Slot& slot : gallery::Slots()) {
            const wchar_t* type = slot.kind == gallery::Kind::Static ||
                                          slot.kind == gallery::Kind::Timer ||
                                          slot.kind == gallery::Kind::ColorBar
                                      ? WC_STATICW
                                      : WC_BUTTONW;
            CreateWindowExW(0, type, slot.text, WS_CHILD | WS_VISIBLE, slot.rect.left,
                            slot.rect.top, slot.rect.right - slot.rect.left,
                            slot.rect.bottom - slot.rect.top, m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id++)),
                            GetModuleHandleW(nullptr), nullptr);
        }
        return TRUE;
    }
};

int RunBenchmark(const std::wstring& pictures, const std::wstring& res, int count) {
    CGalleryDialog skinned(pictures, res);
    CGalleryDialog bare(pictures + L"\\none", res + L"\\none");
    CSystemControlsDialog system;
    if (!skinned.Create(100) || !bare.Create(100) || !system.Create(100))
        return 1;
    skinned.ShowWindow(SW_SHOW);
    bare.ShowWindow(SW_SHOW);
    system.ShowWindow(SW_SHOW);
    Pump(300);
    TimeRepaints(skinned, 20); // warm up
    double skinnedMs = TimeRepaints(skinned, count);
    double bareMs = TimeRepaints(bare, count);
    double systemMs = TimeRepaints(system, count);
    wprintf(L"gallery repaint, %d rounds\n", count);
    wprintf(L"  skinned (all pictures):   %8.3f ms per full repaint (%.0f%% of a 60 Hz frame)\n",
            skinnedMs, skinnedMs / (1000.0 / 60.0) * 100.0);
    wprintf(L"  same window, no pictures: %8.3f ms per full repaint\n", bareMs);
    wprintf(L"  system controls, same layout: %8.3f ms per full repaint (the baseline)\n",
            systemMs);
    wprintf(L"  ratio skinned / system controls: %.2f; skinned / no pictures: %.2f\n",
            systemMs > 0 ? skinnedMs / systemMs : 0.0, bareMs > 0 ? skinnedMs / bareMs : 0.0);
    wprintf(L"RESULT gallery_repaint %.4f ms\nRESULT gallery_repaint_system %.4f ms\n", skinnedMs,
            systemMs);
    if (CSkinListBox* list = skinned.LongList())
        TimeLongList(*list);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    fw::GdiplusSession gdiplus;
    ScratchFolder scratch;
    if (!gdiplus.Started() || !gallery::WriteStatePictures(scratch.Path())) {
        fwprintf(stderr, L"gallery: could not paint the state pictures\n");
        return 1;
    }
    // A screenshot path is taken relative to where the program was started.
    std::wstring screenshot;
    if (argc == 3 && wcscmp(argv[1], L"--screenshot") == 0) {
        wchar_t full[MAX_PATH] = {};
        GetFullPathNameW(argv[2], MAX_PATH, full, nullptr);
        screenshot = full;
    }
    // Controls find their shared pictures as .\res\... from the current folder.
    SetCurrentDirectoryW(ProgramFolder().c_str());
    const std::wstring res = ProgramFolder() + L"\\res";

    if (argc == 3 && wcscmp(argv[1], L"--benchmark") == 0)
        return RunBenchmark(scratch.Path(), res, _wtoi(argv[2]) > 0 ? _wtoi(argv[2]) : 1000);

    CGalleryDialog dialog(scratch.Path(), res);
    if (!screenshot.empty()) {
        if (!dialog.Create(100))
            return 1;
        dialog.ShowWindow(SW_SHOW);
        Pump(500);
        bool saved = SaveScreenshot(dialog, screenshot);
        dialog.DestroyWindow();
        return saved ? 0 : 1;
    }
    dialog.DoModal();
    return 0;
}
