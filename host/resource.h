#pragma once
#define IDD_GEARHOST_DIALOG 102
#define IDR_MAINFRAME 128
#define IDS_SOCKETS_INIT_FAILED 103

#define IDC_LIST_DEVICE 1000
#define IDC_STATIC_NO_DEVICE 1009

// Class of the host window: names dialog 102 and finds a running instance. Fixed for every
// build that must recognise the others.
#define GEARHOST_WINDOW_CLASS "{6F1C2A94-3B7E-4D25-9A08-C4E1D3B75F62}"
