#include "tests/installer/Installation.h"

#include "framework/Handle.h"
#include "tests/support/TempDir.h"

#include <shlobj.h>

namespace testing_support {

namespace {

std::wstring ShellFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::wstring Unquoted(std::wstring text) {
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        text = text.substr(1, text.size() - 2);
    return text;
}

} // namespace

Installation::Installation()
    : m_dir(ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Gearhost"),
      m_link(ShellFolder(CSIDL_PROGRAMS) + L"\\Gearhost.lnk") {}

std::optional<DWORD> Installation::Install(const std::wstring& arguments) const {
    return RunAndWait(L"\"" + ProgramDir() + L"\\..\\GearhostSetup.exe\" /S " + arguments);
}

std::optional<DWORD> Installation::Uninstall(const std::wstring& arguments) const {
    const auto registered = ReadCurrentUserString(kUninstallPath, L"UninstallString");
    if (!registered)
        return std::nullopt;
    TempDir copyDir;
    const std::wstring copy = copyDir.File(L"Uninstall.exe");
    if (!CopyFileW(Unquoted(*registered).c_str(), copy.c_str(), FALSE))
        return std::nullopt;
    // "_?=" names the installation and keeps the uninstaller from copying itself again.
    return RunAndWait(L"\"" + copy + L"\" /S " + arguments + L" _?=" + m_dir);
}

std::optional<DWORD> RunAndWait(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return std::nullopt;
    fw::UniqueKernelHandle process(info.hProcess);
    fw::UniqueKernelHandle thread(info.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

std::optional<std::wstring> ReadCurrentUserString(const std::wstring& path,
                                                  const std::wstring& name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

} // namespace testing_support
