#include "framework/Picture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A 2×1 24-bit bitmap file: one red and one blue pixel.
std::string TwoPixelBitmap() {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    const BYTE pixels[8] = {0, 0, 255, 255, 0, 0, 0, 0}; // BGR BGR + row padding
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + sizeof(pixels);
    info.biSize = sizeof(info);
    info.biWidth = 2;
    info.biHeight = 1;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(file.bfSize, '\0');
    memcpy(&bytes[0], &file, sizeof(file));
    memcpy(&bytes[sizeof(file)], &info, sizeof(info));
    memcpy(&bytes[file.bfOffBits], pixels, sizeof(pixels));
    return bytes;
}

TEST(Picture, ReadableFileGivesAnImageAndUnreadableOneAnEmptyPicture) {
    fw::GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Started());
    testing_support::TempDir dir;
    dir.Write(L"two.bmp", TwoPixelBitmap());
    dir.Write(L"broken.bmp", "BM not really");

    Picture good = fw::LoadPicture(dir.File(L"two.bmp"));
    ASSERT_TRUE(fw::IsDrawable(good));
    EXPECT_EQ(good->GetWidth(), 2u);
    Gdiplus::Color pixel;
    good->GetPixel(0, 0, &pixel);
    EXPECT_EQ(pixel.GetRed(), 255);
    EXPECT_EQ(pixel.GetBlue(), 0);
    HBITMAP gdi = fw::CreateGdiBitmap(good);
    EXPECT_NE(gdi, nullptr);
    DeleteObject(gdi);

    for (const wchar_t* name : {L"broken.bmp", L"missing.bmp"}) {
        Picture empty = fw::LoadPicture(dir.File(name));
        EXPECT_TRUE(empty) << "the object exists";
        EXPECT_FALSE(fw::IsDrawable(empty));
        EXPECT_EQ(fw::CreateGdiBitmap(empty), nullptr);
    }
    EXPECT_FALSE(fw::IsDrawable(Picture()));
}

// Windows name the same files in many state lists: one decoded copy serves them all.
TEST(Picture, OneFileIsOneImageWhileHeld) {
    fw::GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Started());
    testing_support::TempDir dir;
    dir.Write(L"two.bmp", TwoPixelBitmap());
    Picture first = fw::LoadPicture(dir.File(L"two.bmp"));
    Picture second = fw::LoadPicture(dir.File(L"two.bmp"));
    EXPECT_EQ(first.get(), second.get());
    Picture other = fw::LoadPicture(dir.File(L"missing.bmp"));
    EXPECT_NE(other.get(), first.get());
}

} // namespace
