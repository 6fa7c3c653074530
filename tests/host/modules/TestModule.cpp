// A module for the host's tests: records what the host does with it through the test
// program's exported recorder, and behaves as its build definitions say.
#include "module/core/IGamingModule.h"

#include <string>

#ifndef TEST_MODULE_CONSUMES
#define TEST_MODULE_CONSUMES 0
#endif

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

void Record(const wchar_t* what) {
    using RecordFn = void (*)(const wchar_t*);
    auto record = reinterpret_cast<RecordFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), "TestRecorder_Record")));
    if (record)
        record((std::wstring(TEST_MODULE_NAME) + L":" + what).c_str());
}

class TestModule final : public IGamingModule {
public:
    BOOL Create(CWnd*) override { return FALSE; }
    void Release() override {
        Record(L"release");
        delete this;
    }
    int SetLanguage(const wchar_t*) override { return 0; }
    const wchar_t* CopyProfile() override { return L""; }
    void DeleteProfile(const wchar_t*) override {}
    void SelectProfile(const wchar_t*) override {}
    const wchar_t* GetProfileName(const wchar_t*) override { return nullptr; }
    void SetProfileName(const wchar_t*, const wchar_t*) override {}
    const wchar_t* GetCurrentProfileID() override { return L""; }
    int GetProfileCount() override { return 0; }
    int GetProfileAt(int, wchar_t*, int, wchar_t*, int) override { return 0; }
    void ReservedHook(void*) override {}
    void DeselectProfile(const wchar_t*) override {}
    const wchar_t* GetDeviceName() override { return TEST_MODULE_NAME; }
    void GetDeviceIds(int*, int*) override {}
    void SetDeviceConnected(int) override {}
    CWnd* GetWindow() override { return nullptr; }
    HINSTANCE GetInstanceHandle() override {
        Record(L"instance");
        return reinterpret_cast<HINSTANCE>(&__ImageBase);
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        Record(L"pretranslate");
        return msg->message == TEST_MODULE_CONSUMES;
    }
};

} // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        Record(L"load");
    else if (reason == DLL_PROCESS_DETACH)
        Record(L"unload");
    return TRUE;
}

#ifndef TEST_MODULE_WITHOUT_FACTORY
extern "C" __declspec(dllexport) IGamingModule* GamingModule_CreateObject() {
    Record(L"create");
#ifdef TEST_MODULE_FACTORY_FAILS
    return nullptr;
#else
    return new TestModule;
#endif
}
#endif
