// vireo.dll as the host sees it: loaded by path, one export, the contract's operations.
#include "framework/CWnd.h"
#include "module/core/IGamingModule.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class VireoLibrary : public testing::Test {
protected:
    HMODULE m_library = nullptr;
    GamingModuleFactory m_factory = nullptr;

    void SetUp() override {
        m_library = LoadLibraryW((testing_support::ProgramDir() + L"\\vireo.dll").c_str());
        ASSERT_NE(m_library, nullptr);
        m_factory = reinterpret_cast<GamingModuleFactory>(
            reinterpret_cast<void*>(GetProcAddress(m_library, kGamingModuleFactoryName)));
        ASSERT_NE(m_factory, nullptr);
    }
    void TearDown() override {
        if (m_library)
            FreeLibrary(m_library);
    }
};

TEST_F(VireoLibrary, AnswersTheHostsQueriesWithoutAWindow) {
    IGamingModule* module = m_factory();
    ASSERT_NE(module, nullptr);
    EXPECT_STREQ(module->GetDeviceName(), L"Norvale Kestrel Mouse");

    int vid = -1;
    int pid = -1;
    module->GetDeviceIds(&vid, nullptr);
    EXPECT_EQ(vid, 0x0C45);
    module->GetDeviceIds(nullptr, &pid);
    EXPECT_EQ(pid, 0x7303);

    EXPECT_EQ(module->GetInstanceHandle(), m_library);
    EXPECT_NE(module->GetWindow(), nullptr);
    EXPECT_EQ(module->GetWindow()->GetSafeHwnd(), nullptr);
    module->ReservedHook(nullptr);
    module->Release();
}

TEST_F(VireoLibrary, EachFactoryCallMakesAnIndependentObject) {
    IGamingModule* first = m_factory();
    IGamingModule* second = m_factory();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    first->Release();
    EXPECT_STREQ(second->GetDeviceName(), L"Norvale Kestrel Mouse");
    second->Release();
}

TEST_F(VireoLibrary, WindowIsAChildOfTheHostWindowAndGoesWithRelease) {
    HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    CWnd hostWnd;
    hostWnd.Attach(host);
    IGamingModule* module = m_factory();
    ASSERT_NE(module, nullptr);
    ASSERT_TRUE(module->Create(&hostWnd));
    HWND window = module->GetWindow()->GetSafeHwnd();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), host);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);

    HINSTANCE instance = module->GetInstanceHandle();
    module->Release();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(instance, m_library);
    hostWnd.Detach();
    DestroyWindow(host);
}

TEST_F(VireoLibrary, ReleaseCopesWithAWindowAlreadyDestroyedWithItsParent) {
    HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    CWnd hostWnd;
    hostWnd.Attach(host);
    IGamingModule* module = m_factory();
    ASSERT_TRUE(module->Create(&hostWnd));
    hostWnd.Detach();
    DestroyWindow(host);
    EXPECT_EQ(module->GetWindow()->GetSafeHwnd(), nullptr);
    module->Release();
}

} // namespace
