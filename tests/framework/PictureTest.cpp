#include "framework/Picture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

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

// A 24-bit bitmap file whose header claims width × height, holding the given pixel bytes.
std::string BitmapClaiming(LONG width, LONG height, std::size_t pixelBytes) {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixelBytes);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(file.bfSize, '\x40');
    memcpy(&bytes[0], &file, sizeof(file));
    memcpy(&bytes[sizeof(file)], &info, sizeof(info));
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

// Damaged skin pictures: each gives an empty picture or one of its true size, and whatever it
// gives can be turned into a GDI bitmap or skipped without a crash.
TEST(Picture, DamagedFilesGiveAnEmptyPictureOrTheirTrueSize) {
    fw::GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Started());
    testing_support::TempDir dir;
    const std::string full = BitmapClaiming(40, 30, 40 * 3 * 30);
    struct Case {
        const char* name;
        std::string bytes;
        UINT width; // 0: an empty picture
        UINT height;
    };
    const std::vector<Case> cases = {
        {"1x1", BitmapClaiming(1, 1, 4), 1, 1},
        {"half the pixels", full.substr(0, full.size() / 2), 0, 0},
        {"header only", full.substr(0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)), 0, 0},
        {"cut inside the header", full.substr(0, 20), 0, 0},
        {"zero bytes", "", 0, 0},
        {"30000 x 30000 claimed, 8 bytes held", BitmapClaiming(30000, 30000, 8), 0, 0},
        {"2^31-1 x 2^31-1 claimed", BitmapClaiming(0x7FFFFFFF, 0x7FFFFFFF, 8), 0, 0},
        {"negative width", BitmapClaiming(-40, 30, 40 * 3 * 30), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(L"case.bmp", c.bytes);
        Picture picture = fw::LoadPicture(dir.File(L"case.bmp"));
        ASSERT_TRUE(picture);
        EXPECT_EQ(fw::IsDrawable(picture), c.width != 0);
        HBITMAP gdi = fw::CreateGdiBitmap(picture);
        EXPECT_EQ(gdi != nullptr, c.width != 0);
        if (c.width) {
            EXPECT_EQ(picture->GetWidth(), c.width);
            EXPECT_EQ(picture->GetHeight(), c.height);
        }
        if (gdi)
            DeleteObject(gdi);
    }
}

} // namespace
