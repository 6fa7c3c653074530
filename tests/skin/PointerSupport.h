#pragma once
// Moving the real pointer in tests: under Wine the new position comes back from the X
// server a moment later, so a test waits until the system reports it.
#include "tests/skin/SkinTestSupport.h"

#include <windows.h>

namespace skin_test {

inline void MovePointer(int x, int y) {
    SetCursorPos(x, y);
    for (int i = 0; i < 50; ++i) {
        PumpMessages(10);
        POINT now = {};
        GetCursorPos(&now);
        if (now.x == x && now.y == y)
            break;
    }
}

// The pointer's position once the system reports it elsewhere than from (after a move the
// code under test made itself); from when it never does.
inline POINT WaitForPointerToMove(POINT from) {
    POINT now = from;
    for (int i = 0; i < 50 && now.x == from.x && now.y == from.y; ++i) {
        PumpMessages(10);
        GetCursorPos(&now);
    }
    return now;
}

} // namespace skin_test
