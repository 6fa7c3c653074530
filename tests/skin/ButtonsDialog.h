#pragma once
// A skinned dialog on a real window with one solid picture per state and page (three
// pages), two push buttons, and the hover notices it hears; tests derive their own dialogs
// from it for further controls.
#include "skin/CSkinButton.h"
#include "skin/CSkinDialog.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace skin_test {

constexpr UINT kButtonsTemplate = 300;

// 0xSSPP00 with S the state and P the page.
DWORD PictureColour(SkinState state, int page);

class PagePictures {
public:
    PagePictures();
    std::wstring Path(SkinState state, int page) const;
    const testing_support::TempDir& Dir() const { return m_dir; }

private:
    testing_support::TempDir m_dir;
};

class ButtonsDialog : public CSkinDialog {
public:
    // Three pictures per state, or everyPicture (a missing or damaged file, say) for all.
    explicit ButtonsDialog(const PagePictures& pictures, const std::wstring& everyPicture = L"");

    CSkinButton m_a;
    CSkinButton m_b;
    std::vector<std::pair<WPARAM, HWND>> hoverNotices;
    BOOL draggable = FALSE;

    using CSkinDialog::m_nCurImage;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The top-left pixel of a picture (0xFFFFFFFF when it holds none).
DWORD TopLeftColour(const Picture& picture);

// Draws a control of the dialog through the dialog's WM_DRAWITEM, as the system does.
void DrawThroughParent(CWnd& parent, CWnd& control, UINT state, Canvas& canvas);

template <typename Dialog> class DialogFixture : public testing::Test {
protected:
    fw::GdiplusSession m_gdiplus;
    PagePictures m_pictures;
    Dialog m_dialog{m_pictures};

    void SetUp() override {
        ASSERT_TRUE(m_dialog.Create(kButtonsTemplate));
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.UpdateWindow();
    }
};

} // namespace skin_test
