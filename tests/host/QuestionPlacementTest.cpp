#include "host/QuestionPlacement.h"
#include "host/CTrayIcon.h"

#include <gtest/gtest.h>

namespace {

TEST(QuestionPlacement, SitsAboveTheBottomCentredOnTheCursorAndInsideTheWorkArea) {
    struct Case {
        const char* what;
        POINT cursor;
        RECT work;
        POINT expected;
    } const cases[] = {
        {"centred on the cursor", {600, 300}, {0, 0, 1280, 984}, {399, 847}},
        {"near the right edge", {1270, 900}, {0, 0, 1280, 984}, {878, 847}},
        {"near the left edge", {40, 900}, {0, 0, 1280, 984}, {0, 847}},
        {"monitor right of the primary", {1300, 500}, {1280, 0, 2560, 1024}, {1280, 887}},
        {"monitor left of the primary", {-10, 500}, {-1280, 0, 0, 1024}, {-402, 887}},
        {"work area lower than the box", {100, 50}, {0, 0, 800, 100}, {0, 0}},
    };
    for (const Case& c : cases) {
        const POINT actual = QuestionPosition(c.cursor, c.work);
        EXPECT_EQ(actual.x, c.expected.x) << c.what;
        EXPECT_EQ(actual.y, c.expected.y) << c.what;
    }
}

TEST(TrayIcon, TipsAreCutToTheTipFieldWithoutSplittingACharacter) {
    EXPECT_EQ(CTrayIcon::FittingTip(L"Gaming Mouse"), L"Gaming Mouse");
    EXPECT_EQ(CTrayIcon::FittingTip(std::wstring(127, L'a')), std::wstring(127, L'a'));
    EXPECT_EQ(CTrayIcon::FittingTip(std::wstring(300, L'a')), std::wstring(127, L'a'));
    // A pair of surrogates across the cut is dropped whole.
    const std::wstring pair = L"\xD83D\xDE00";
    EXPECT_EQ(CTrayIcon::FittingTip(std::wstring(126, L'a') + pair), std::wstring(126, L'a'));
}

} // namespace
