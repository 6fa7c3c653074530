#pragma once
// Where the exit question opens: just above the bottom of the work area, centred on the
// cursor, kept inside the work area of the monitor the cursor is on.
#include <windows.h>

// Top-left corner for a cursor in workArea.
POINT QuestionPosition(POINT cursor, const RECT& workArea);
// The same for the work area of the monitor under the cursor.
POINT QuestionPositionAt(POINT cursor);
