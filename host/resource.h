#pragma once
#define IDD_GEARHOST_DIALOG 102
#define IDR_MAINFRAME 128
#define IDS_SOCKETS_INIT_FAILED 103
#define IDD_QUESTION 6005

#define IDC_LIST_DEVICE 1000
#define IDC_LIST_PROFILE 1001
#define IDC_BTN_NEW_PROFILE 1002
#define IDC_STATIC_PROFILES 1003
#define IDC_STATIC_DEVICES 1004
#define IDC_BTN_MINIMIZE 1005
#define IDC_COMBO_LANGUAGE 1006
#define IDC_BTN_HIDE 1007
#define IDC_BTN_DELETE_PROFILE 1008
#define IDC_STATIC_NO_DEVICE 1009
#define IDC_STATIC_QUESTION 6069

// The tray menu's Exit; commands carry 16 bits, so it arrives as 16960.
#define ID_TRAY_EXIT 1000000

// Class of the host window: names dialog 102 and finds a running instance. Fixed for every
// build that must recognise the others.
#define GEARHOST_WINDOW_CLASS "{6F1C2A94-3B7E-4D25-9A08-C4E1D3B75F62}"
