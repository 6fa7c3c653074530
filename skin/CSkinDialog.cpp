#include "skin/CSkinDialog.h"

#include "framework/DeviceContext.h"
#include "skin/SkinBrush.h"

#include <vector>

CSkinDialog::CSkinDialog(UINT templateId) : CDialogEx(templateId) {}

void CSkinDialog::AddImage(SkinState state, const wchar_t* path) {
    m_images[state].push_back(fw::LoadPicture(path));
}

void CSkinDialog::SetMaskImage(const wchar_t* path) {
    m_mask = fw::LoadPicture(path);
}

Picture CSkinDialog::GetImage(SkinState state, int index) const {
    if (state < 0 || state >= kSkinStateCount || index < 0 ||
        index >= static_cast<int>(m_images[state].size()))
        return Picture();
    return m_images[state][static_cast<size_t>(index)];
}

void CSkinDialog::SelectBackground(int index) {
    if (index < 0 || index >= static_cast<int>(m_images[Normal].size()))
        return;
    m_nCurImage = index;
    m_brBackground = skin::MakePatternBrush(m_images[Normal][static_cast<size_t>(index)]);
    if (m_hWnd)
        Invalidate(TRUE);
}

void CSkinDialog::ApplyMaskRegion() {
    fw::UniqueBitmap bitmap(fw::CreateGdiBitmap(m_mask));
    if (!bitmap || !m_hWnd)
        return;
    const int width = static_cast<int>(m_mask->GetWidth());
    const int height = static_cast<int>(m_mask->GetHeight());
    MoveWindow(0, 0, width, height, TRUE);

    // Read all rows at once as top-down 32-bit pixels.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    {
        fw::WindowDc windowDc(m_hWnd);
        fw::MemoryDc memoryDc(windowDc.Get());
        if (!GetDIBits(memoryDc.Get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                       &info, DIB_RGB_COLORS))
            return;
    }

    // One rectangle per run of non-white pixels in a row.
    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        const DWORD* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & 0xFFFFFF) == 0xFFFFFF)
                ++x;
            int start = x;
            while (x < width && (row[x] & 0xFFFFFF) != 0xFFFFFF)
                ++x;
            if (x > start)
                runs.push_back(RECT{start, y, x, y + 1});
        }
    }

    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(runs.size());
    region->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    region->rdh.rcBound = RECT{0, 0, width, height};
    if (!runs.empty())
        memcpy(region->Buffer, runs.data(), runs.size() * sizeof(RECT));
    HRGN shape = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
    if (!shape)
        shape = CreateRectRgn(0, 0, 0, 0);
    // The system owns the region from here on.
    if (!SetWindowRgn(shape, TRUE))
        DeleteObject(shape);
}

BOOL CSkinDialog::OnInitDialog() {
    SelectBackground(0);
    m_bDraggable = FALSE;
    if (m_mask) {
        ApplyMaskRegion();
        CenterWindow();
    }
    CDialogEx::OnInitDialog();
    return TRUE;
}

LRESULT CSkinDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        if (m_bDraggable)
            return HTCAPTION;
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        LRESULT result = CDialogEx::WindowProc(message, wParam, lParam);
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        if (reinterpret_cast<HWND>(lParam) == m_hWnd && m_brBackground)
            return reinterpret_cast<LRESULT>(m_brBackground.get());
        return result;
    }
    }
    return CDialogEx::WindowProc(message, wParam, lParam);
}
