#pragma once
// Templates and control ids of the settings page and the statistics page.

#define IDD_PAGE_SETTINGS 6000
#define IDD_PAGE_STATISTICS 6001

// Settings page.
#define IDC_SLIDER_CPI 6024
#define IDC_STATIC_CPI1 6027
#define IDC_SLIDER_REPORT_RATE 6034
#define IDC_STATIC_REPORT_RATE 6037
// The programs that make the shown profile current.
#define IDC_STATIC_PROGRAMS 6080
#define IDC_LIST_PROGRAMS 6081
#define IDC_EDIT_PROGRAM 6082
#define IDC_BTN_ADD_PROGRAM 6083
#define IDC_BTN_ADD_FRONT_PROGRAM 6084
#define IDC_BTN_REMOVE_PROGRAM 6085

// Statistics page: five rows, each a caption, a count with its colour and a hot spot on the
// mouse picture (first id + row, rows in profile order).
#define IDC_STATIC_BUTTON1 6038
#define IDC_INDICATOR_BUTTON1 6043
#define IDC_HOTSPOT_BUTTON1 6070
#define IDC_COLOR_SCALE 6048
#define IDC_KEY_PRESS_STC 6049
#define IDC_STATIC_MIN_COUNT 6050
#define IDC_STATIC_MAX_COUNT 6051
#define IDC_TIMER 6052
#define IDC_BTN_START_STOP 6053
