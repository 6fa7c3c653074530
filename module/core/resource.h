#pragma once
#define IDD_VIREO_MAIN 101
