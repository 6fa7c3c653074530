#pragma once
// The per-user installation as the installer makes it: where it goes, and running the
// installer and its registered uninstaller silently to the end.
#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

class Installation {
public:
    static constexpr const wchar_t* kStorePath = L"SOFTWARE\\Ardent,Inc.\\vireo";
    static constexpr const wchar_t* kStoreParentPath = L"SOFTWARE\\Ardent,Inc.";
    static constexpr const wchar_t* kUninstallPath =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gearhost";
    static constexpr const wchar_t* kRunPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

    Installation();

    const std::wstring& Dir() const { return m_dir; }
    std::wstring File(const std::wstring& name) const { return m_dir + L"\\" + name; }
    const std::wstring& StartMenuLink() const { return m_link; }

    // GearhostSetup.exe of this build with /S and arguments; its exit code.
    std::optional<DWORD> Install(const std::wstring& arguments = L"") const;
    // The uninstaller named by the removal entry, run silently from a copy of its own (as it
    // does itself) so that the wait covers the whole removal; its exit code.
    std::optional<DWORD> Uninstall(const std::wstring& arguments = L"") const;

private:
    std::wstring m_dir;
    std::wstring m_link;
};

// Runs a command line and waits for it to end; its exit code, nothing when it did not start.
std::optional<DWORD> RunAndWait(const std::wstring& commandLine);

// A string value below HKEY_CURRENT_USER; nothing when missing.
std::optional<std::wstring> ReadCurrentUserString(const std::wstring& path,
                                                  const std::wstring& name);

} // namespace testing_support
