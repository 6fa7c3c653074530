#pragma once
// The one palette every picture is drawn from: a dark slate theme with one azure accent.
// Text colours of the skin (white, silver, yellow-green, pink, blue) must stay readable
// on the fills they are drawn over, which is why the selected list row is pale.
#include <windows.h>

#include <gdiplus.h>

namespace skingen::theme {

using Gdiplus::ARGB;

constexpr ARGB kWindowBack = 0xFF151A21;
constexpr ARGB kWindowBorder = 0xFF2E3744;
constexpr ARGB kTitleTop = 0xFF1D242E;
constexpr ARGB kSidebar = 0xFF181E26;
constexpr ARGB kPanel = 0xFF1A2029;
constexpr ARGB kPanelRaised = 0xFF1F2630;
constexpr ARGB kPanelEdge = 0xFF29323D;

constexpr ARGB kWell = 0xFF0E1217;
constexpr ARGB kWellDisabled = 0xFF14181D;
constexpr ARGB kRing = 0xFF34404E;
constexpr ARGB kRingHover = 0xFF5C86AA;
constexpr ARGB kRingDisabled = 0xFF242A31;

constexpr ARGB kFaceTop = 0xFF2E3844;
constexpr ARGB kFaceBottom = 0xFF222A34;
constexpr ARGB kFaceHoverTop = 0xFF3D4A5B;
constexpr ARGB kFaceHoverBottom = 0xFF2F3A48;
constexpr ARGB kFacePressedTop = 0xFF14202C;
constexpr ARGB kFacePressedBottom = 0xFF1A2836;
constexpr ARGB kFaceDisabled = 0xFF1D2228;
constexpr ARGB kFaceBorder = 0xFF3F4B5A;

constexpr ARGB kAccent = 0xFF2EA3F2;
constexpr ARGB kAccentLight = 0xFF7CC6F7;
constexpr ARGB kAccentDeep = 0xFF1B4F78;
constexpr ARGB kAccentPale = 0xFFCFE9FC;

constexpr ARGB kGlyph = 0xFFC8D2DC;
constexpr ARGB kGlyphDisabled = 0xFF59616B;
constexpr ARGB kLabel = 0xFFC8D2DC;
constexpr ARGB kLabelDim = 0xFF7D8894;
constexpr ARGB kRecord = 0xFFE0443E;

constexpr ARGB kMaskKeep = 0xFF000000;
constexpr ARGB kMaskCut = 0xFFFFFFFF;

// t = 0 gives a, t = 1 gives b; alpha is taken from a.
ARGB Mix(ARGB a, ARGB b, float t);

} // namespace skingen::theme
