#include "host/CGearhostApp.h"
#include "tests/host/CallRecorder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using testing_support::ProgramDir;
using testing_support::TempDir;
using Calls = std::vector<std::wstring>;

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

std::wstring ModulePath(const std::wstring& name) {
    return ProgramDir() + L"\\" + name + L".dll";
}

class ModuleLoading : public testing::Test {
protected:
    TempDir m_dir;
    CGearhostApp m_app;

    void SetUp() override {
        ClearRecordedCalls();
        m_app.m_strAppDir = m_dir.Path();
    }
    void TearDown() override { m_app.FreeModules(); }

    void WriteModuleIni(const std::string& lines) {
        m_dir.Write(L"module.ini", "[gaming_module]\r\n" + lines);
    }

    std::vector<std::wstring> LoadedNames() const {
        std::vector<std::wstring> names;
        for (IGamingModule* module : m_app.m_modules)
            names.emplace_back(module->GetDeviceName());
        return names;
    }
};

TEST_F(ModuleLoading, KeysAreReadInOrderUntilTheFirstGap) {
    WriteModuleIni("module1=" + Narrow(ModulePath(L"testmod_first")) + "\r\n" +
                   "module2=" + Narrow(ModulePath(L"testmod_second")) + "\r\n" +
                   "module4=" + Narrow(ModulePath(L"testmod_null")) + "\r\n");
    m_app.LoadModules();
    EXPECT_EQ(LoadedNames(), (Calls{L"testmod_first", L"testmod_second"}));
    EXPECT_EQ(RecordedCalls(), (Calls{L"testmod_first:load", L"testmod_first:create",
                                      L"testmod_second:load", L"testmod_second:create"}));
}

TEST_F(ModuleLoading, EmptyFirstKeyLoadsNothing) {
    WriteModuleIni("module1=\r\nmodule2=" + Narrow(ModulePath(L"testmod_first")) + "\r\n");
    m_app.LoadModules();
    EXPECT_TRUE(m_app.m_modules.empty());
    EXPECT_TRUE(RecordedCalls().empty());
}

TEST_F(ModuleLoading, MissingModuleIniLoadsNothing) {
    m_app.LoadModules();
    EXPECT_TRUE(m_app.m_modules.empty());
}

// A library with the wrong machine type in its header.
std::string ForeignArchitectureCopy(const std::wstring& source) {
    std::ifstream in(Narrow(source), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 0x40)
        return bytes;
    uint32_t peOffset = *reinterpret_cast<const uint32_t*>(&bytes[0x3C]);
    bytes[peOffset + 4] = '\x4c'; // IMAGE_FILE_MACHINE_I386
    bytes[peOffset + 5] = '\x01';
    return bytes;
}

std::wstring RunningProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

TEST_F(ModuleLoading, UnusableEntryIsSkippedAndTheNextKeyStillRead) {
    m_dir.Write(L"notadll.dll", "this is not a library\r\n");
    m_dir.Write(L"foreign.dll", ForeignArchitectureCopy(ModulePath(L"testmod_second")));
    ASSERT_NE(GetFileAttributesW((ProgramDir() + L"\\Gearhost.exe").c_str()),
              INVALID_FILE_ATTRIBUTES);
    struct Case {
        const char* name;
        std::string value;
        Calls before; // what the unusable entry itself records
    } cases[] = {
        {"no export",
         Narrow(ModulePath(L"testmod_noexport")),
         {L"testmod_noexport:load", L"testmod_noexport:unload"}},
        {"factory returns null",
         Narrow(ModulePath(L"testmod_null")),
         {L"testmod_null:load", L"testmod_null:create", L"testmod_null:unload"}},
        {"missing file", Narrow(m_dir.File(L"absent.dll")), {}},
        {"not a library", Narrow(m_dir.File(L"notadll.dll")), {}},
        {"wrong architecture", Narrow(m_dir.File(L"foreign.dll")), {}},
        {"path of 300 characters", "C:\\" + std::string(297, 'a'), {}},
        {"a directory", Narrow(m_dir.Path()), {}},
        {"the host program", Narrow(ProgramDir() + L"\\Gearhost.exe"), {}},
        {"the running program itself", Narrow(RunningProgram()), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRecordedCalls();
        WriteModuleIni("module1=" + c.value +
                       "\r\nmodule2=" + Narrow(ModulePath(L"testmod_first")) + "\r\n");
        m_app.LoadModules();
        EXPECT_EQ(LoadedNames(), Calls{L"testmod_first"});
        Calls expected = c.before;
        expected.insert(expected.end(), {L"testmod_first:load", L"testmod_first:create"});
        EXPECT_EQ(RecordedCalls(), expected);
        m_app.FreeModules();
    }
}

TEST_F(ModuleLoading, TwoHundredEntriesAreAllReadAndTheUsableOnesLoad) {
    m_dir.Write(L"notes.txt", "not a library\r\n");
    std::string lines;
    for (int i = 1; i <= 200; ++i) {
        const std::wstring path = i % 2 ? ModulePath(L"testmod_first") : m_dir.File(L"notes.txt");
        lines += "module" + std::to_string(i) + "=" + Narrow(path) + "\r\n";
    }
    WriteModuleIni(lines);
    m_app.LoadModules();
    EXPECT_EQ(LoadedNames(), Calls(100, L"testmod_first"));
    m_app.FreeModules();
    EXPECT_EQ(GetModuleHandleW(ModulePath(L"testmod_first").c_str()), nullptr)
        << "every load is matched by a free";
}

TEST_F(ModuleLoading, MessagesGoToModulesInOrderUntilOneConsumes) {
    WriteModuleIni("module1=" + Narrow(ModulePath(L"testmod_first")) + "\r\n" +
                   "module2=" + Narrow(ModulePath(L"testmod_second")) + "\r\n");
    m_app.LoadModules();
    ASSERT_EQ(m_app.m_modules.size(), 2u);
    struct Case {
        UINT message;
        BOOL consumed;
        Calls offeredTo;
    } cases[] = {
        {WM_APP + 1, TRUE, {L"testmod_first:pretranslate"}},
        {WM_APP + 2, TRUE, {L"testmod_first:pretranslate", L"testmod_second:pretranslate"}},
        {WM_APP + 3, FALSE, {L"testmod_first:pretranslate", L"testmod_second:pretranslate"}},
    };
    for (const Case& c : cases) {
        ClearRecordedCalls();
        MSG msg = {nullptr, c.message};
        EXPECT_EQ(m_app.PreTranslateMessage(&msg), c.consumed) << c.message;
        EXPECT_EQ(RecordedCalls(), c.offeredTo) << c.message;
    }
}

TEST_F(ModuleLoading, FreeModulesTakesTheHandleBeforeReleaseAndFreesAfter) {
    WriteModuleIni("module1=" + Narrow(ModulePath(L"testmod_first")) + "\r\n" +
                   "module2=" + Narrow(ModulePath(L"testmod_second")) + "\r\n");
    m_app.LoadModules();
    ClearRecordedCalls();
    m_app.FreeModules();
    EXPECT_TRUE(m_app.m_modules.empty());
    EXPECT_EQ(RecordedCalls(), (Calls{L"testmod_first:instance", L"testmod_first:release",
                                      L"testmod_first:unload", L"testmod_second:instance",
                                      L"testmod_second:release", L"testmod_second:unload"}));
    EXPECT_EQ(GetModuleHandleW(L"testmod_first.dll"), nullptr);
}

TEST(SingleInstance, StartWhileAnotherRunsRestoresItAndStopsBeforeLoading) {
    ClearRecordedCalls();
    ASSERT_TRUE(CGearhostApp::RegisterHostWindowClass(GetModuleHandleW(nullptr)));
    HWND running =
        CreateWindowExW(0, CGearhostApp::HostWindowClass(), L"running", WS_OVERLAPPEDWINDOW, 10, 10,
                        200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(running, nullptr);
    ShowWindow(running, SW_SHOWMINIMIZED);
    ASSERT_TRUE(IsIconic(running));

    CGearhostApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_FALSE(IsIconic(running));
    EXPECT_TRUE(app.m_strAppDir.empty()); // stopped before any set-up
    EXPECT_TRUE(app.m_modules.empty());
    EXPECT_TRUE(RecordedCalls().empty());
    DestroyWindow(running);
}

} // namespace
