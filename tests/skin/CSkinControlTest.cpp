// The one-time set-up of a skinned control for each window attached to it, as each build
// does it: the module sets up every window it attaches to an object again, the host attaches
// one window per object.
#include "skin/CSkinButton.h"

#include <gtest/gtest.h>

namespace {

bool OwnerDrawn(const CWnd& button) {
    return (button.GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW;
}

TEST(SkinControl, ALaterWindowOnTheSameObjectIsSetUpAgainInTheModuleBuildOnly) {
    fw::GdiplusSession gdiplus;
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0));
    CSkinButton button;
    const RECT rect = {0, 0, 50, 20};
    ASSERT_TRUE(button.Create(L"first", WS_CHILD | BS_PUSHBUTTON, rect, &parent, 1));
    EXPECT_TRUE(OwnerDrawn(button));

    button.DestroyWindow();
    ASSERT_TRUE(button.Create(L"second", WS_CHILD | BS_PUSHBUTTON, rect, &parent, 1));
#ifdef SKIN_REINIT_ON_DESTROY
    EXPECT_TRUE(OwnerDrawn(button));
#else
    EXPECT_FALSE(OwnerDrawn(button));
#endif
}

} // namespace
