#include "framework/Module.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace fw {

HINSTANCE ThisModule() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

std::wstring LoadResourceString(UINT id) {
    const wchar_t* text = nullptr;
    // A zero buffer size returns a read-only pointer into the resource itself.
    int length = LoadStringW(ThisModule(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

} // namespace fw
