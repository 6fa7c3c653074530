// A module for the host's tests: records what the host does with it through the test
// program's exported recorder, and behaves as its build definitions say.
#include "framework/CWnd.h"
#include "module/core/IGamingModule.h"

#include <string>
#include <vector>

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
#ifdef TEST_MODULE_PROFILES
    // Profiles Alpha, Beta and Gamma, Beta current; every call the host makes is recorded.
    const wchar_t* CopyProfile() override {
        Record(L"copy");
        const Profile* current = Find(m_current);
        const std::wstring id = L"ID_COPY" + std::to_wstring(++m_copies);
        m_profiles.push_back({id, (current ? current->name : std::wstring()) + L" copy"});
        return m_profiles.back().id.c_str();
    }
    void DeleteProfile(const wchar_t* id) override {
        Record((std::wstring(L"delete:") + id).c_str());
        for (auto it = m_profiles.begin(); it != m_profiles.end(); ++it) {
            if (it->id == id) {
                m_profiles.erase(it);
                break;
            }
        }
    }
    void SelectProfile(const wchar_t* id) override {
        Record((std::wstring(L"select:") + id).c_str());
        m_current = id;
    }
    const wchar_t* GetProfileName(const wchar_t* id) override {
        const Profile* profile = Find(id);
        return profile ? profile->name.c_str() : nullptr;
    }
    void SetProfileName(const wchar_t* id, const wchar_t* name) override {
        Record((std::wstring(L"rename:") + id + L"=" + name).c_str());
        if (Profile* profile = Find(id))
            profile->name = name;
    }
    const wchar_t* GetCurrentProfileID() override {
        return m_current.c_str();
    }
    int GetProfileCount() override {
        return static_cast<int>(m_profiles.size());
    }
    int GetProfileAt(int index, wchar_t* id, int idSize, wchar_t* name, int nameSize) override {
        if (index < 0 || index >= GetProfileCount())
            return 22;
        const Profile& profile = m_profiles[static_cast<size_t>(index)];
        lstrcpynW(id, profile.id.c_str(), idSize);
        lstrcpynW(name, profile.name.c_str(), nameSize);
        return 0;
    }
    void DeselectProfile(const wchar_t* id) override {
        Record((std::wstring(L"deselect:") + id).c_str());
    }
#else
    const wchar_t* CopyProfile() override {
        return L"";
    }
    void DeleteProfile(const wchar_t*) override {}
    void SelectProfile(const wchar_t*) override {}
    const wchar_t* GetProfileName(const wchar_t*) override {
        return nullptr;
    }
    void SetProfileName(const wchar_t*, const wchar_t*) override {}
    const wchar_t* GetCurrentProfileID() override {
        return L"";
    }
    int GetProfileCount() override {
        return 0;
    }
    int GetProfileAt(int, wchar_t*, int, wchar_t*, int) override {
        return 0;
    }
    void DeselectProfile(const wchar_t*) override {}
#endif
    void ReservedHook(void*) override {}
    const wchar_t* GetDeviceName() override {
        return TEST_MODULE_NAME;
    }
    void GetDeviceIds(int* vid, int* pid) override {
        if (vid)
            *vid = TEST_MODULE_VID;
        if (pid)
            *pid = TEST_MODULE_PID;
    }
    void SetDeviceConnected(int connected) override {
        Record((L"connected:" + std::to_wstring(connected)).c_str());
    }
    CWnd* GetWindow() override {
        return &m_window;
    }
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
#ifdef TEST_MODULE_PROFILES
    struct Profile {
        std::wstring id;
        std::wstring name;
    };
    Profile* Find(const std::wstring& id) {
        for (Profile& profile : m_profiles) {
            if (profile.id == id)
                return &profile;
        }
        return nullptr;
    }
    std::vector<Profile> m_profiles = {{L"ID_A", L"Alpha"},
                                       {L"ID_B", L"Beta"},
                                       { L"ID_C",
                                         L"Gamma" }};
    std::wstring m_current = L"ID_B";
    int m_copies = 0;
#endif
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
