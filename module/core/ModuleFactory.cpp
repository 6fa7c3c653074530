#include "module/core/CDlgMain.h"
#include "module/core/CvireoApp.h"

#include <new>

// Start-up runs here rather than at library load: the loader lock forbids registry work
// in DllMain. A failed start-up makes every call return null, as a library that failed to
// load.
extern "C" __declspec(dllexport) IGamingModule* GamingModule_CreateObject() {
    static const bool started = GetVireoApp().InitInstance() != FALSE;
    if (!started)
        return nullptr;
    CDlgMain* module = new (std::nothrow) CDlgMain;
    return module;
}
