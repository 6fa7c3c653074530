#include "host/CGearhostApp.h"

namespace {
CGearhostApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return AfxWinMain(instance);
}
