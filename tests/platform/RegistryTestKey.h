#pragma once
// A fresh key of its own under HKEY_CURRENT_USER\Software\GearhostTests, removed with
// everything below it at the end (and the parent with it when nothing else is left there).
#include <windows.h>

#include <string>

namespace testing_support {

class RegistryTestKey {
public:
    RegistryTestKey();
    ~RegistryTestKey();
    RegistryTestKey(const RegistryTestKey&) = delete;
    RegistryTestKey& operator=(const RegistryTestKey&) = delete;

    // Relative to HKEY_CURRENT_USER.
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// Whether HKEY_CURRENT_USER holds this path.
bool CurrentUserHasKey(const std::wstring& path);

} // namespace testing_support
