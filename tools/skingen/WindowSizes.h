#pragma once
// Sizes of the full-window pictures. A skinned window takes its size from its mask, so
// these are the window sizes. Where a layout gives a dialog template in dialog units,
// the template font's 6 x 13 base units give 1.5 pixels across and 1.625 down.
namespace skingen::sizes {

// Host main window: the module window at (187, 48), 864 x 608, plus a 5-pixel rim to the
// right and 8 pixels below; the title buttons end at x = 1043.
constexpr int kMainWidth = 1056;
constexpr int kMainHeight = 664;
constexpr int kModuleLeft = 187;
constexpr int kModuleTop = 48;

// Exit question: placed 402 pixels left of the work area's right edge and 137 above its
// bottom.
constexpr int kQuestionWidth = 402;
constexpr int kQuestionHeight = 137;

// Module window: template of 576 x 374 dialog units.
constexpr int kModuleWidth = 864;
constexpr int kModuleHeight = 608;

// Button page: its template has no given size; the mouse's right hot spot ends at x = 764
// and the page must end above the Save button (module y 556, page top at module y 34).
constexpr int kButtonPageWidth = 800;
constexpr int kButtonPageHeight = 516;

// Settings page: 354 x 197 dialog units; statistics page: 520 x 315 dialog units.
constexpr int kSettingPageWidth = 531;
constexpr int kSettingPageHeight = 500;
constexpr int kStatisticsPageWidth = 780;
constexpr int kStatisticsPageHeight = 512;

// Action editor pages: their controls end at x = 446 and y = 218 (keypress, text) or 153
// (launch); each ends at the button page's bottom edge.
constexpr int kEditorWidth = 460;
constexpr int kEditorHeight = 226;
constexpr int kLaunchPageHeight = 196;

} // namespace skingen::sizes
