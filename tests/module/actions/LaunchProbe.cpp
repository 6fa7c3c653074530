// A program for launch tests: it sets the named event that the test waits on and ends.
#include "LaunchProbe.h"

#include "framework/Handle.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    fw::UniqueKernelHandle started(OpenEventW(EVENT_MODIFY_STATE, FALSE, kLaunchProbeEvent));
    if (!started)
        return 1;
    SetEvent(started.get());
    return 0;
}
