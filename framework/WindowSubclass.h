#pragma once
// Subclass chains of windows: any number of procedures hooked onto one window, each removable
// in any order, each passing a message on with DefSubclassProc. The same contract as the common
// controls' SetWindowSubclass family, without its price under Wine: that one finds its chain
// in a window property on every message, and a property read there crosses to the wineserver
// (tens of microseconds a message, a 70-fold slower list fill). Here the chain is found in this
// binary's own table. A chain stays in place, passing messages through, while a procedure
// hooked on later stands above it. Do not mix in the common controls' chain: when its last
// entry goes it puts back the procedure it found, cutting out whatever came after it.
#include <windows.h>

namespace fw {

using SubclassProcedure = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM, UINT_PTR id,
                                             DWORD_PTR data);

// On the window's thread. Adds the procedure on top of the window's chain, or gives an entry
// of the same procedure and id the new data. False for a window of another thread.
bool SetWindowSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data);
// Takes the entry out (also while it runs); false when it is not there.
bool RemoveWindowSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id);
// From a subclass procedure: the message to the next entry down, and finally to the window's
// own procedure.
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace fw
