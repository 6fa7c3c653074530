#pragma once
// The binary (program or library) this code is linked into. The framework is linked into
// each deliverable, so resources and window classes are looked up in the right one.
#include <windows.h>

#include <string>

namespace fw {

HINSTANCE ThisModule();

// String resource of this binary; empty when absent.
std::wstring LoadResourceString(UINT id);

} // namespace fw
