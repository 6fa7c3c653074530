#include "tests/platform/CurrentUserKeyGuard.h"

#include "framework/Handle.h"

namespace testing_support {

namespace {

void DeleteTree(const std::wstring& path) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

// Copies the tree at `from` into `to` (created when missing).
void CopyTree(const std::wstring& from, const std::wstring& to) {
    fw::UniqueRegKey source;
    fw::UniqueRegKey target;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, source.put()) !=
            ERROR_SUCCESS ||
        RegCreateKeyExW(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, target.put(), nullptr) != ERROR_SUCCESS)
        return;
    RegCopyTreeW(source.get(), nullptr, target.get());
}

} // namespace

CurrentUserKeyGuard::CurrentUserKeyGuard(std::wstring path) : m_path(std::move(path)) {
    for (std::size_t end = 0; end != std::wstring::npos;) {
        end = m_path.find(L'\\', end + 1);
        const std::wstring prefix = m_path.substr(0, end);
        if (!CurrentUserHasKey(prefix)) {
            m_firstMissing = prefix;
            return;
        }
    }
    m_backup = std::make_unique<RegistryTestKey>();
    CopyTree(m_path, m_backup->Path());
    DeleteTree(m_path);
}

CurrentUserKeyGuard::~CurrentUserKeyGuard() {
    if (!m_firstMissing.empty()) {
        DeleteTree(m_firstMissing);
        return;
    }
    DeleteTree(m_path);
    CopyTree(m_backup->Path(), m_path);
}

} // namespace testing_support
