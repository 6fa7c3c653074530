#pragma once
// Leaves a key of HKEY_CURRENT_USER as a test found it: what is there is set aside so the test
// starts without it; at the end whatever the test left there (the parents it created too) is
// removed and the original comes back.
#include "tests/platform/RegistryTestKey.h"

#include <memory>
#include <string>

namespace testing_support {

class CurrentUserKeyGuard {
public:
    explicit CurrentUserKeyGuard(std::wstring path);
    ~CurrentUserKeyGuard();
    CurrentUserKeyGuard(const CurrentUserKeyGuard&) = delete;
    CurrentUserKeyGuard& operator=(const CurrentUserKeyGuard&) = delete;

private:
    std::wstring m_path;
    // The outermost part of the path that did not exist at the start; empty when all did.
    std::wstring m_firstMissing;
    std::unique_ptr<RegistryTestKey> m_backup;
};

} // namespace testing_support
