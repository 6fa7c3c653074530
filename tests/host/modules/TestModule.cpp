// A module for the host's tests: records what the host does with it through the test
// program's exported recorder, and behaves as its build definitions say.
#include "framework/CWnd.h"
#include "module/core/IGamingModule.h"

#include <string>

#ifndef TEST_MODULE_CONSUMES
#define TEST_MODULE_CONSUMES 0
#endif
#ifndef TEST_MODULE_VID
#define TEST_MODULE_VID 0
#endif
#ifndef TEST_MODULE_PID
#define TEST_MODULE_PID 0
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
    BOOL Create(CWnd* parent) override {
        RECT rect = {0, 0, 100, 100};
        return m_window.CreateEx(0, L"STATIC", TEST_MODULE_NAME, WS_CHILD, rect,
                                 parent ? parent->GetSafeHwnd() : nullptr, 0);
    }
    void Release() override {
        Record(L"release");
        if (m_window.GetSafeHwnd())
            m_window.DestroyWindow();
        delete this;
    }
    int SetLanguage(const wchar_t* language) override {
        Record((std::wstring(L"language:") + language).c_str());
        return 0;
    }
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
    void GetDeviceIds(int* vid, int* pid) override {
        if (vid)
            *vid = TEST_MODULE_VID;
        if (pid)
            *pid = TEST_MODULE_PID;
    }
    void SetDeviceConnected(int connected) override {
        Record((L"connected:" + std::to_wstring(connected)).c_str());
    }
    CWnd* GetWindow() override { return &m_window; }
    HINSTANCE GetInstanceHandle() override {
        Record(L"instance");
        return reinterpret_cast<HINSTANCE>(&__ImageBase);
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        Record(L"pretranslate");
        return msg->message == TEST_MODULE_CONSUMES;
    }

private:
    CWnd m_window;
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
