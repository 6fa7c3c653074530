// The window takes the mask's size and outline: exactly white pixels are cut away.
#include "skin/CSkinDialog.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kMaskTemplate = 301;

class MaskedDialog : public CSkinDialog {
public:
    explicit MaskedDialog(const std::wstring& mask) : CSkinDialog(kMaskTemplate) {
        SetMaskImage(mask.c_str());
    }
};

class MaskFixture : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    testing_support::TempDir m_dir;

    // The window's region in window coordinates (deleted by the caller).
    static HRGN WindowRegion(HWND hwnd) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(hwnd, region);
        return region;
    }
};

TEST_F(MaskFixture, WindowGetsTheMaskSizeIsCentredAndLosesOnlyExactWhite) {
    // Left strip white (cut), one near-white pixel kept, the rest grey.
    m_dir.Write(L"mask.bmp", skin_test::BitmapFile(400, 300, [](int x, int y) -> DWORD {
                    if (x == 20 && y == 20)
                        return 0xFFFFFE;
                    return x < 10 || (y == 20 && x > 10) ? 0xFFFFFF : 0x808080;
                }));
    MaskedDialog dialog(m_dir.File(L"mask.bmp"));
    ASSERT_TRUE(dialog.Create(kMaskTemplate));
    RECT window = dialog.GetWindowRect();
    EXPECT_EQ(window.right - window.left, 400);
    EXPECT_EQ(window.bottom - window.top, 300);

    MONITORINFO monitor = {sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(dialog.m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_EQ(window.left,
              monitor.rcWork.left + (monitor.rcWork.right - monitor.rcWork.left - 400) / 2);
    EXPECT_EQ(window.top,
              monitor.rcWork.top + (monitor.rcWork.bottom - monitor.rcWork.top - 300) / 2);

    HRGN region = WindowRegion(dialog.m_hWnd);
    EXPECT_FALSE(PtInRegion(region, 5, 5));
    EXPECT_TRUE(PtInRegion(region, 10, 5));
    EXPECT_TRUE(PtInRegion(region, 20, 20)); // RGB(255, 255, 254) stays
    EXPECT_FALSE(PtInRegion(region, 21, 20));
    EXPECT_TRUE(PtInRegion(region, 399, 299));
    DeleteObject(region);
}

TEST_F(MaskFixture, AllWhiteMaskLeavesNoVisibleArea) {
    m_dir.Write(L"white.bmp", skin_test::SolidBitmapFile(64, 32, 0xFFFFFF));
    MaskedDialog dialog(m_dir.File(L"white.bmp"));
    ASSERT_TRUE(dialog.Create(kMaskTemplate));
    HRGN region = WindowRegion(dialog.m_hWnd);
    RECT box;
    EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
    DeleteObject(region);
}

TEST_F(MaskFixture, MissingMaskFileLeavesTheTemplateShape) {
    MaskedDialog dialog(m_dir.File(L"missing.bmp"));
    ASSERT_TRUE(dialog.Create(kMaskTemplate));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(dialog.m_hWnd, region), ERROR);
    DeleteObject(region);
}

} // namespace
