// A skinned edit control in its scroll frame on a real dialog.
#include "skin/CSkinEdit.h"
#include "tests/skin/ControlPictures.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace skin_test;

constexpr UINT kTemplate = 311;
constexpr int kEditId = 3112;

class EditDialog : public PicturedDialog {
public:
    explicit EditDialog(const SkinResFolder& res) : PicturedDialog(kTemplate, res) {}
    CSkinEdit m_edit;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kEditId, m_edit); }
    BOOL OnInitDialog() override {
        PicturedDialog::OnInitDialog();
        m_edit.MoveWindow(20, 200, 200, 60);
        return TRUE;
    }
};

TEST(SkinEdit, IsWrappedAndPaintsItsStatePicture) {
    fw::GdiplusSession gdiplus;
    SkinResFolder res;
    WriteControlPictures(res);
    EditDialog dialog(res);
    ASSERT_TRUE(dialog.Create(kTemplate));
    dialog.MoveWindow(50, 50, 420, 320);
    dialog.ShowWindow(SW_SHOW);
    PumpMessages(20);

    CSkinEdit& edit = dialog.m_edit;
    ASSERT_NE(edit.m_pScrollFrame, nullptr);
    RECT client = edit.GetClientRect();
    const int x = client.right - 20;
    const int y = client.bottom - 5;
    edit.Invalidate(TRUE);
    EXPECT_EQ(WindowPixel(edit.m_hWnd, x, y), StateColour(Normal));
    edit.SendMessage(WM_SKIN_HOVER, 1, 0);
    EXPECT_EQ(WindowPixel(edit.m_hWnd, x, y), StateColour(Hover));
}

} // namespace
