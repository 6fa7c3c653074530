// vireo.dll as the host sees it: loaded by path, one export, the contract's operations.
#include "framework/CWnd.h"
#include "module/core/CDlgMain.h"
#include "module/core/IGamingModule.h"
#include "module/profiles/ProfileStore.h"
#include "tests/platform/CurrentUserKeyGuard.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

const wchar_t kStorePath[] = L"SOFTWARE\\Ardent,Inc.\\vireo";

class VireoLibrary : public testing::Test {
protected:
    // Each test starts as a user without a store, and leaves the user's tree as it found it.
    testing_support::CurrentUserKeyGuard m_storeGuard{kStorePath};
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
        m_library = nullptr;
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

// The host's notice lands in the window's device part, where the reactions read it; only 1
// counts as connected.
TEST_F(VireoLibrary, SetDeviceConnectedMarksTheDevicePart) {
    IGamingModule* module = m_factory();
    ASSERT_NE(module, nullptr);
    const CDevice& device = *static_cast<CDlgMain*>(module->GetWindow());
    EXPECT_EQ(device.m_connected, 0);
    const struct {
        int notice;
        int connected;
    } cases[] = {{1, 1}, {0, 0}, {2, 0}, {1, 1}, {-1, 0}};
    for (const auto& c : cases) {
        module->SetDeviceConnected(c.notice);
        EXPECT_EQ(device.m_connected, c.connected) << "notice " << c.notice;
    }
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

TEST_F(VireoLibrary, AFreshUserGetsTheDefaultProfileInMemoryOnly) {
    IGamingModule* module = m_factory();
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(module->GetProfileCount(), 1);
    wchar_t id[260] = {};
    wchar_t name[260] = {};
    EXPECT_EQ(module->GetProfileAt(0, id, 260, name, 260), 0);
    EXPECT_STREQ(name, L"Default Profile");
    EXPECT_EQ(std::wstring(id).rfind(L"ID_PROFILE_", 0), 0u);
    EXPECT_STREQ(module->GetCurrentProfileID(), id);
    module->Release();

    FreeLibrary(m_library);
    m_library = nullptr;
    auto user = platform::OpenCurrentUserStore();
    ASSERT_TRUE(user);
    auto store = user->OpenKey(kStorePath);
    ASSERT_TRUE(store) << "the store root is created at start-up";
    EXPECT_TRUE(store->SubKeyNames().empty()) << "nothing is written before a Save";
    EXPECT_EQ(store->ValueCount(), 0u);
}

TEST_F(VireoLibrary, LoadsTheStoredProfilesAtStartUp) {
    FreeLibrary(m_library);
    {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        CProfileList profiles;
        profiles.Append(CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Office"));
        profiles.Append(CProfileVireo::MakeStandard(L"ID_PROFILE_2", L"Games"));
        SaveProfiles(user->CreateKey(kStorePath).get(), profiles, L"ID_PROFILE_2");
    }
    SetUp();

    IGamingModule* module = m_factory();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->GetProfileCount(), 2);
    EXPECT_STREQ(module->GetCurrentProfileID(), L"ID_PROFILE_2");
    EXPECT_STREQ(module->GetProfileName(L"ID_PROFILE_1"), L"Office");
    module->Release();
}

TEST_F(VireoLibrary, ProfilesStoredWithoutIdsEachGetTheirOwnAtStartUp) {
    FreeLibrary(m_library);
    {
        auto user = platform::OpenCurrentUserStore();
        ASSERT_TRUE(user);
        CProfileList profiles;
        profiles.Append(CProfileVireo::MakeStandard(L"", L"Office"));
        profiles.Append(CProfileVireo::MakeStandard(L"", L"Games"));
        SaveProfiles(user->CreateKey(kStorePath).get(), profiles, L"");
    }
    SetUp();

    IGamingModule* module = m_factory();
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(module->GetProfileCount(), 2);
    wchar_t first[260] = {};
    wchar_t second[260] = {};
    wchar_t name[260] = {};
    module->GetProfileAt(0, first, 260, name, 260);
    module->GetProfileAt(1, second, 260, name, 260);
    EXPECT_EQ(std::wstring(first).rfind(L"ID_PROFILE_", 0), 0u);
    EXPECT_EQ(std::wstring(second).rfind(L"ID_PROFILE_", 0), 0u);
    EXPECT_STRNE(first, second);
    EXPECT_STREQ(module->GetCurrentProfileID(), first) << "the current ID follows the first";

    module->SetProfileName(second, L"Racing");
    EXPECT_STREQ(module->GetProfileName(first), L"Office");
    EXPECT_STREQ(module->GetProfileName(second), L"Racing");
    module->Release();
}

TEST_F(VireoLibrary, ProfileOperationsWorkOnTheModulesList) {
    IGamingModule* module = m_factory();
    ASSERT_NE(module, nullptr);
    const std::wstring first = module->GetCurrentProfileID();

    const std::wstring copy = module->CopyProfile();
    EXPECT_NE(copy, first);
    EXPECT_EQ(copy.rfind(L"ID_PROFILE_", 0), 0u);
    ASSERT_EQ(module->GetProfileCount(), 2);
    wchar_t id[260] = {};
    wchar_t name[260] = {};
    module->GetProfileAt(1, id, 260, name, 260);
    EXPECT_EQ(id, copy) << "the copy is the last profile";
    EXPECT_STREQ(name, L"Default Profile(Copy1)");

    module->SetProfileName(copy.c_str(), L"Games");
    EXPECT_STREQ(module->GetProfileName(copy.c_str()), L"Games");
    module->SetProfileName(L"ID_PROFILE_NONE", L"Nobody");
    EXPECT_EQ(module->GetProfileName(L"ID_PROFILE_NONE"), nullptr);

    module->DeleteProfile(first.c_str());
    module->DeleteProfile(L"ID_PROFILE_NONE");
    EXPECT_EQ(module->GetProfileCount(), 1);
    EXPECT_EQ(module->GetCurrentProfileID(), first) << "deleting leaves the current ID";

    // The current profile is gone: a copy starts from the standard profile.
    const std::wstring orphanCopy = module->CopyProfile();
    EXPECT_STREQ(module->GetProfileName(orphanCopy.c_str()), L"Default Profile(Copy1)");

    module->SelectProfile(copy.c_str());
    EXPECT_EQ(module->GetCurrentProfileID(), copy);
    EXPECT_STREQ(module->GetProfileName(module->CopyProfile()), L"Games(Copy1)");
    module->SelectProfile(L"ID_PROFILE_NONE");
    EXPECT_STREQ(module->GetCurrentProfileID(), L"ID_PROFILE_NONE");
    module->Release();
}

TEST_F(VireoLibrary, GetProfileAtNeverWritesPastTheCallersBuffers) {
    IGamingModule* module = m_factory();
    ASSERT_NE(module, nullptr);
    const std::wstring id = module->GetCurrentProfileID();
    struct Case {
        std::size_t nameLength;
        int index;
        int size;
        int result;
        bool nameArrives;
    };
    const Case cases[] = {
        {258, 0, 260, 0, true},    {259, 0, 260, ERANGE, false}, {3, 0, 5, 0, true},
        {4, 0, 5, ERANGE, false},  {3, 0, 1, EINVAL, false},     {3, 0, 0, EINVAL, false},
        {3, 0, -5, EINVAL, false}, {3, 1, 260, EINVAL, false},   {3, -1, 260, EINVAL, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.nameLength << " characters, index " << c.index << ", size " << c.size);
        const std::wstring longName(c.nameLength, L'n');
        module->SetProfileName(id.c_str(), longName.c_str());
        std::wstring idBuffer(300, L'#');
        std::wstring nameBuffer(300, L'#');
        EXPECT_EQ(module->GetProfileAt(c.index, &idBuffer[0], 260, &nameBuffer[0], c.size),
                  c.result);
        if (c.nameArrives) {
            EXPECT_EQ(nameBuffer.c_str(), longName);
        } else if (c.size >= 1) {
            EXPECT_EQ(nameBuffer[0], L'\0');
        }
        const std::size_t written = c.size > 0 ? static_cast<std::size_t>(c.size) : 0;
        EXPECT_EQ(nameBuffer.substr(written), std::wstring(300 - written, L'#'));
        EXPECT_EQ(idBuffer.c_str(), c.index == 0 ? id : std::wstring());
    }
    EXPECT_EQ(module->GetProfileAt(0, nullptr, 260, nullptr, 260), EINVAL);
    module->Release();
}

} // namespace
