// Checks the pictures the generator wrote into bin\res (and the icon in generated\) as
// the windows will load them: names, format, sizes, masks and state differences.
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::wstring ResDir() {
    return testing_support::ProgramDir() + L"\\res\\";
}

std::vector<char> ReadAll(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// A bitmap file as read back: header fields and RGB access (0xRRGGBB, top-left origin).
struct BitmapFile {
    bool valid = false;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    DWORD compression = 0;
    std::vector<char> bytes;
    size_t pixelOffset = 0;

    DWORD At(int x, int y) const {
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
        const size_t row = static_cast<size_t>(height - 1 - y);
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + pixelOffset +
                                                               row * stride + x * 3);
        return (DWORD(p[2]) << 16) | (DWORD(p[1]) << 8) | p[0];
    }
};

BitmapFile LoadBitmap(const std::wstring& name) {
    BitmapFile file;
    file.bytes = ReadAll(ResDir() + name);
    if (file.bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return file;
    BITMAPFILEHEADER header;
    BITMAPINFOHEADER info;
    memcpy(&header, file.bytes.data(), sizeof(header));
    memcpy(&info, file.bytes.data() + sizeof(header), sizeof(info));
    if (header.bfType != 0x4D42 || info.biHeight <= 0)
        return file;
    file.width = info.biWidth;
    file.height = info.biHeight;
    file.bitCount = info.biBitCount;
    file.compression = info.biCompression;
    file.pixelOffset = header.bfOffBits;
    const size_t stride = (static_cast<size_t>(file.width) * 3 + 3) & ~size_t(3);
    file.valid = file.bytes.size() >= file.pixelOffset + stride * file.height;
    return file;
}

struct Size {
    const wchar_t* name;
    int width;
    int height;
};

// Every picture file a window of either program loads, with the size its layout implies
// (full-window pictures: the window's size; strips: whole cells).
const Size kPictures[] = {
    {L"MainDialog_Normal.bmp", 1056, 664},
    {L"MainDialog_Disable.bmp", 1056, 664},
    {L"MainDialog_DisableSelected.bmp", 1056, 664},
    {L"MainDialog_Hover.bmp", 1056, 664},
    {L"MainDialog_Selected.bmp", 1056, 664},
    {L"MainDialog_Mask.bmp", 1056, 664},
    {L"MessageBox_Normal.bmp", 402, 137},
    {L"MessageBox_Disable.bmp", 402, 137},
    {L"MessageBox_Hover.bmp", 402, 137},
    {L"MessageBox_Selected.bmp", 402, 137},
    {L"MessageBox_Mask.bmp", 402, 137},
    {L"TabDialog01.bmp", 864, 608},
    {L"TabDialog02.bmp", 864, 608},
    {L"TabDialog03.bmp", 864, 608},
    {L"TabDialog_Disable.bmp", 864, 608},
    {L"TabDialog_Hover02.bmp", 864, 608},
    {L"TabDialog_Selected.bmp", 864, 608},
    {L"TabDialog_Mask.bmp", 864, 608},
    {L"PanelButton.bmp", 123, 148},
    {L"ButtonPage_Normal.bmp", 800, 516},
    {L"ButtonPage_Disable.bmp", 800, 516},
    {L"ButtonPage_Hover.bmp", 800, 516},
    {L"ButtonPage_HoverSelected.bmp", 800, 516},
    {L"ButtonPage_Selected.bmp", 800, 516},
    {L"ButtonPage_Mask.bmp", 800, 516},
    {L"Keypress_Normal.bmp", 460, 226},
    {L"Keypress_Disable.bmp", 460, 226},
    {L"Keypress_DisableSelected.bmp", 460, 226},
    {L"Keypress_Hover.bmp", 460, 226},
    {L"Keypress_HoverSelected.bmp", 460, 226},
    {L"Keypress_Selected.bmp", 460, 226},
    {L"Keypress_Mask.bmp", 460, 226},
    {L"CopyString_Normal.bmp", 460, 226},
    {L"CopyString_Disable.bmp", 460, 226},
    {L"CopyString_Hover.bmp", 460, 226},
    {L"CopyString_Selected.bmp", 460, 226},
    {L"CopyString_Mask.bmp", 460, 226},
    {L"LaunchApp_Normal.bmp", 460, 196},
    {L"LaunchApp_Disable.bmp", 460, 196},
    {L"LaunchApp_Hover.bmp", 460, 196},
    {L"LaunchApp_Selected.bmp", 460, 196},
    {L"LaunchApp_Mask.bmp", 460, 196},
    {L"SettingPage_Normal.bmp", 531, 500},
    {L"SettingPage_Mask.bmp", 531, 500},
    {L"StatisticsPage_Normal.bmp", 780, 512},
    {L"StatisticsPage_Disable.bmp", 780, 512},
    {L"StatisticsPage_Hover.bmp", 780, 512},
    {L"StatisticsPage_Selected.bmp", 780, 512},
    {L"StatisticsPage_Mask.bmp", 780, 512},
    {L"listback.bmp", 200, 7 * 24},
    {L"scrollbar.bmp", 4 * 14, 4 * 16},
    {L"MacroButton.bmp", 4 * 18, 4 * 18},
    {L"MacroIndicator.bmp", 3 * 16, 3 * 16},
    {L"SliderThumb.bmp", 16, 4 * 24},
    {L"ComboList_Nomal.bmp", 100, 100},
};

TEST(SkinPictures, EveryPictureIsAnUncompressed24BitBitmapOfItsWindowsSize) {
    for (const Size& expected : kPictures) {
        SCOPED_TRACE(testing::Message() << expected.name);
        const BitmapFile file = LoadBitmap(expected.name);
        ASSERT_TRUE(file.valid);
        EXPECT_EQ(24, file.bitCount);
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), file.compression);
        EXPECT_EQ(expected.width, file.width);
        EXPECT_EQ(expected.height, file.height);
    }
}

struct MaskShape {
    const wchar_t* name;
    int cornerRadius; // rounded top-level windows; 0 for square ones
    RECT cut;         // a cut-away area besides the corners (may be empty)
};

const MaskShape kMasks[] = {
    {L"MainDialog_Mask.bmp", 10, {}},
    {L"MessageBox_Mask.bmp", 8, {}},
    // Under the host's language combo box, which overlaps the module window.
    {L"TabDialog_Mask.bmp", 0, {764, 0, 864, 32}},
    {L"ButtonPage_Mask.bmp", 0, {}},
    // Over the button page's "Action Type" row that the two editor pages overlap.
    {L"Keypress_Mask.bmp", 0, {0, 0, 284, 31}},
    {L"CopyString_Mask.bmp", 0, {0, 0, 284, 31}},
    {L"LaunchApp_Mask.bmp", 0, {}},
    {L"SettingPage_Mask.bmp", 0, {}},
    {L"StatisticsPage_Mask.bmp", 0, {}},
};

// The window keeps every pixel that is not exactly white, so a mask must be white where it
// cuts and clearly dark everywhere else (no antialiased near-white edge).
TEST(SkinPictures, MasksAreExactWhiteWhereCutAndDarkElsewhere) {
    for (const MaskShape& mask : kMasks) {
        SCOPED_TRACE(testing::Message() << mask.name);
        const BitmapFile file = LoadBitmap(mask.name);
        ASSERT_TRUE(file.valid);
        const int r = mask.cornerRadius, w = file.width, h = file.height;
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const DWORD p = file.At(x, y);
                const bool white = p == 0xFFFFFF;
                const bool dark =
                    ((p >> 16) & 0xFF) < 128 && ((p >> 8) & 0xFF) < 128 && (p & 0xFF) < 128;
                const bool inCut = x >= mask.cut.left && x < mask.cut.right && y >= mask.cut.top &&
                                   y < mask.cut.bottom;
                const bool inCorner = (x < r || x >= w - r) && (y < r || y >= h - r);
                if (!white && !dark)
                    ++wrong;
                else if (inCut && !white)
                    ++wrong;
                else if (!inCut && !inCorner && white)
                    ++wrong;
            }
        }
        EXPECT_EQ(0, wrong);
        if (r > 0) {
            for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
                EXPECT_EQ(0xFFFFFFu, file.At(x, y));
            EXPECT_NE(0xFFFFFFu, file.At(r, r));
        }
    }
}

size_t DifferingPixels(const BitmapFile& a, const BitmapFile& b, const RECT& area) {
    size_t count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += a.At(x, y) != b.At(x, y) ? 1 : 0;
    return count;
}

struct StateDifference {
    const wchar_t* plain;
    const wchar_t* other;
    RECT control;   // must look different in the two pictures
    POINT backdrop; // plain page there: must be the same
};

// Controls cut their state from the picture of that state, so each state must change what
// lies under the control and nothing of the window around it.
const StateDifference kStates[] = {
    {L"MainDialog_Normal.bmp", L"MainDialog_Hover.bmp", {14, 606, 95, 639}, {600, 450}},
    {L"MainDialog_Normal.bmp", L"MainDialog_Selected.bmp", {98, 606, 179, 639}, {600, 450}},
    {L"MainDialog_Normal.bmp", L"MainDialog_Disable.bmp", {957, 42, 1047, 74}, {600, 450}},
    {L"MainDialog_Normal.bmp", L"MainDialog_Hover.bmp", {13, 80, 176, 270}, {600, 450}},
    {L"MessageBox_Normal.bmp", L"MessageBox_Selected.bmp", {74, 88, 173, 117}, {200, 50}},
    {L"TabDialog01.bmp", L"TabDialog02.bmp", {179, 10, 280, 34}, {600, 300}},
    {L"TabDialog02.bmp", L"TabDialog_Hover02.bmp", {8, 10, 125, 34}, {600, 300}},
    {L"TabDialog01.bmp", L"TabDialog_Hover02.bmp", {212, 556, 335, 593}, {600, 300}},
    {L"TabDialog01.bmp", L"TabDialog_Selected.bmp", {45, 556, 168, 593}, {600, 300}},
    {L"TabDialog01.bmp", L"TabDialog_Disable.bmp", {45, 556, 168, 593}, {600, 300}},
    {L"TabDialog01.bmp", L"TabDialog_Hover02.bmp", {379, 556, 502, 593}, {600, 300}},
    {L"TabDialog01.bmp", L"TabDialog_Selected.bmp", {546, 556, 669, 593}, {600, 300}},
    {L"ButtonPage_Normal.bmp", L"ButtonPage_Selected.bmp", {621, 70, 653, 104}, {400, 450}},
    {L"ButtonPage_Normal.bmp", L"ButtonPage_Selected.bmp", {732, 151, 764, 185}, {400, 450}},
    {L"ButtonPage_Selected.bmp", L"ButtonPage_HoverSelected.bmp", {0, 10, 84, 38}, {400, 450}},
    {L"ButtonPage_Normal.bmp", L"ButtonPage_Hover.bmp", {119, 8, 295, 38}, {400, 450}},
    {L"ButtonPage_Normal.bmp", L"ButtonPage_Disable.bmp", {0, 159, 84, 187}, {400, 450}},
    {L"Keypress_Normal.bmp", L"Keypress_Selected.bmp", {212, 187, 314, 215}, {10, 150}},
    {L"Keypress_Disable.bmp", L"Keypress_DisableSelected.bmp", {212, 187, 314, 215}, {10, 150}},
    {L"Keypress_Normal.bmp", L"Keypress_Hover.bmp", {67, 31, 285, 182}, {10, 150}},
    {L"CopyString_Normal.bmp", L"CopyString_Hover.bmp", {70, 32, 286, 226}, {10, 150}},
    {L"LaunchApp_Normal.bmp", L"LaunchApp_Selected.bmp", {384, 5, 437, 39}, {30, 180}},
    {L"StatisticsPage_Normal.bmp",
     L"StatisticsPage_Selected.bmp",
     {605, 150, 637, 184},
     {400, 450}},
    {L"StatisticsPage_Normal.bmp", L"StatisticsPage_Hover.bmp", {92, 122, 260, 155}, {400, 450}},
    {L"StatisticsPage_Normal.bmp", L"StatisticsPage_Disable.bmp", {134, 349, 254, 386}, {400, 450}},
};

TEST(SkinPictures, StatesChangeTheControlsAndNotTheWindowAroundThem) {
    for (const StateDifference& state : kStates) {
        SCOPED_TRACE(testing::Message() << state.plain << " / " << state.other);
        const BitmapFile plain = LoadBitmap(state.plain);
        const BitmapFile other = LoadBitmap(state.other);
        ASSERT_TRUE(plain.valid && other.valid);
        const int area =
            (state.control.right - state.control.left) * (state.control.bottom - state.control.top);
        EXPECT_GT(DifferingPixels(plain, other, state.control), static_cast<size_t>(area / 20));
        EXPECT_EQ(plain.At(state.backdrop.x, state.backdrop.y),
                  other.At(state.backdrop.x, state.backdrop.y));
    }
}

double Luminance(DWORD rgb) {
    auto linear = [](DWORD c) {
        const double s = c / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((rgb >> 16) & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) +
           0.0722 * linear(rgb & 0xFF);
}

double Contrast(DWORD a, DWORD b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The skin's text colours (fixed by the controls), by the state that uses them.
constexpr DWORD kNormalText = 0xFFFFFF;          // white
constexpr DWORD kDisableText = 0xC0C0C0;         // silver
constexpr DWORD kDisableSelectedText = 0x808080; // grey
constexpr DWORD kHoverText = 0xADFF2F;           // yellow-green
constexpr DWORD kHoverSelectedText = 0xFFC0CB;   // pink
constexpr DWORD kSelectedText = 0x0000FF;        // blue
constexpr double kReadable = 4.5;

// The lowest contrast of colour against the pixels of area, and where it is.
double LowestContrast(const BitmapFile& file, const RECT& area, DWORD colour, POINT* at) {
    double lowest = 100;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const double c = Contrast(colour, file.At(x, y));
            if (c < lowest) {
                lowest = c;
                *at = POINT{x, y};
            }
        }
    return lowest;
}

void ExpectReadable(const wchar_t* file, const RECT& area, DWORD colour) {
    const BitmapFile picture = LoadBitmap(file);
    ASSERT_TRUE(picture.valid) << file;
    POINT at = {};
    EXPECT_GE(LowestContrast(picture, area, colour, &at), kReadable)
        << file << ": text " << std::hex << colour << " on " << picture.At(at.x, at.y) << std::dec
        << " at " << at.x << "," << at.y;
}

// A list row's text starts at the row's left edge and may run to its right one, so it must
// stay readable on every pixel of its frame.
TEST(SkinPictures, ListRowTextStaysReadableOnEveryPixelOfItsFrame) {
    const BitmapFile rows = LoadBitmap(L"listback.bmp");
    ASSERT_TRUE(rows.valid);
    const int h = rows.height / 7;
    const DWORD text[6] = {kNormalText, kDisableText,       kDisableSelectedText,
                           kHoverText,  kHoverSelectedText, kSelectedText};
    for (int frame = 0; frame < 6; ++frame)
        ExpectReadable(L"listback.bmp", RECT{0, frame * h, rows.width, (frame + 1) * h},
                       text[frame]);
}

// Where a control's text falls in its rectangle. Centred text (push buttons, tabs) keeps off
// the ring and bevel (3 pixels) and takes one line (15 pixels) about the middle; a label
// starts after its indent (the check box, the record button's dot); a field's text may lie
// anywhere in it; a combo box's text stays left of its drop button.
RECT Centred(int x, int y, int w, int h, int indent = 3) {
    const int top = y + (h - 15) / 2;
    return RECT{x + indent, top, x + w - 3, top + 15};
}
RECT Labelled(int x, int y, int w, int h) {
    return Centred(x, y, w, h, 20);
}
RECT Field(int x, int y, int w, int h) {
    return RECT{x, y, x + w, y + h};
}
RECT ComboField(int x, int y, int w, int h, int buttonWidth) {
    RECT field = Centred(x, y, w, h);
    field.right = x + w - 2 - buttonWidth - 1;
    return field;
}

// One window's pictures and the text on them. Buttons (push, check and radio) show white or
// yellow-green text when enabled and silver when disabled; fields white or silver; a combo
// box's field white in every state.
struct WindowText {
    std::vector<const wchar_t*> enabled;
    std::vector<const wchar_t*> disabled;
    std::vector<RECT> buttons;
    std::vector<RECT> fields;
    std::vector<RECT> combos;
};

const std::vector<WindowText>& WindowTexts() {
    static const std::vector<WindowText> texts = {
        {{L"MainDialog_Normal.bmp", L"MainDialog_Hover.bmp", L"MainDialog_Selected.bmp"},
         {L"MainDialog_Disable.bmp"},
         {Centred(14, 606, 81, 33), Centred(98, 606, 81, 33)},
         {},
         {ComboField(957, 42, 90, 32, 25)}},
        {{L"MessageBox_Normal.bmp", L"MessageBox_Hover.bmp", L"MessageBox_Selected.bmp"},
         {L"MessageBox_Disable.bmp"},
         {Centred(74, 88, 99, 29), Centred(227, 88, 99, 29)},
         {},
         {}},
        {{L"TabDialog01.bmp", L"TabDialog02.bmp", L"TabDialog03.bmp", L"TabDialog_Hover02.bmp",
          L"TabDialog_Selected.bmp"},
         {L"TabDialog_Disable.bmp"},
         {Centred(8, 10, 117, 24), Centred(179, 10, 101, 24), Centred(332, 10, 93, 24),
          Centred(212, 556, 123, 37), Centred(45, 556, 123, 37)},
         {},
         {}},
        {{L"ButtonPage_Normal.bmp", L"ButtonPage_Hover.bmp", L"ButtonPage_HoverSelected.bmp",
          L"ButtonPage_Selected.bmp"},
         {L"ButtonPage_Disable.bmp"},
         {Labelled(0, 10, 84, 28), Labelled(0, 46, 84, 28), Labelled(0, 83, 84, 28),
          Labelled(0, 122, 84, 28), Labelled(0, 159, 84, 28), Centred(86, 210, 78, 34),
          Centred(179, 210, 78, 34)},
         {Field(92, 254, 127, 24), Field(309, 254, 127, 24)},
         {ComboField(119, 8, 176, 30, 25), ComboField(119, 44, 176, 30, 25),
          ComboField(119, 81, 176, 30, 24), ComboField(119, 120, 176, 30, 25),
          ComboField(119, 156, 176, 30, 25), ComboField(86, 288, 129, 30, 25)}},
        {{L"Keypress_Normal.bmp", L"Keypress_Hover.bmp", L"Keypress_HoverSelected.bmp",
          L"Keypress_Selected.bmp"},
         {L"Keypress_Disable.bmp", L"Keypress_DisableSelected.bmp"},
         {Labelled(71, 182, 114, 36), Labelled(212, 187, 102, 28)},
         {},
         {}},
        {{L"CopyString_Normal.bmp", L"CopyString_Hover.bmp", L"CopyString_Selected.bmp"},
         {L"CopyString_Disable.bmp"},
         {},
         {Field(78, 40, 200, 178)},
         {}},
        {{L"LaunchApp_Normal.bmp", L"LaunchApp_Hover.bmp", L"LaunchApp_Selected.bmp"},
         {L"LaunchApp_Disable.bmp"},
         {Centred(384, 5, 53, 34)},
         {Field(90, 11, 285, 27)},
         {}},
        {{L"StatisticsPage_Normal.bmp", L"StatisticsPage_Hover.bmp",
          L"StatisticsPage_Selected.bmp"},
         {L"StatisticsPage_Disable.bmp"},
         {Centred(134, 349, 120, 37)},
         {},
         {}},
    };
    return texts;
}

TEST(SkinPictures, ButtonFieldAndComboTextStaysReadableOnEveryPictureOfItsState) {
    for (const WindowText& window : WindowTexts()) {
        for (const wchar_t* file : window.enabled) {
            for (const RECT& area : window.buttons) {
                ExpectReadable(file, area, kNormalText);
                ExpectReadable(file, area, kHoverText);
            }
            for (const RECT& area : window.fields)
                ExpectReadable(file, area, kNormalText);
            for (const RECT& area : window.combos)
                ExpectReadable(file, area, kNormalText);
        }
        for (const wchar_t* file : window.disabled) {
            for (const RECT& area : window.buttons)
                ExpectReadable(file, area, kDisableText);
            for (const RECT& area : window.fields)
                ExpectReadable(file, area, kDisableText);
            for (const RECT& area : window.combos)
                ExpectReadable(file, area, kNormalText);
        }
    }
}

TEST(ProgramIcon, HoldsSixteenThirtyTwoAndFortyEightPixelImages) {
    const std::vector<char> bytes =
        ReadAll(testing_support::ProgramDir() + L"\\..\\generated\\Gearhost.ico");
    ASSERT_GE(bytes.size(), 6u + 3 * 16u);
    auto u16 = [&](size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
               (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8);
    };
    EXPECT_EQ(1u, u16(2)); // icon, not cursor
    ASSERT_EQ(3u, u16(4));
    std::vector<int> sizes;
    for (size_t i = 0; i < 3; ++i)
        sizes.push_back(static_cast<unsigned char>(bytes[6 + i * 16]));
    EXPECT_EQ((std::vector<int>{16, 32, 48}), sizes);
}

} // namespace
