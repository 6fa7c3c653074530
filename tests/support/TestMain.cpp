#include <gmock/gmock.h>

#include <windows.h>

int main(int argc, char** argv) {
    // A crash ends the test program at once instead of waiting in a debugger or error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
