#include "tests/platform/RegistryTestKey.h"

#include "framework/Handle.h"

#include <atomic>

namespace testing_support {

namespace {
const wchar_t kParent[] = L"Software\\GearhostTests";
std::atomic<unsigned> g_counter{0};
} // namespace

RegistryTestKey::RegistryTestKey() {
    m_path = std::wstring(kParent) + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(g_counter++);
    fw::UniqueRegKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr);
}

RegistryTestKey::~RegistryTestKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());
    // Fails, as it should, while other tests still have keys there.
    RegDeleteKeyW(HKEY_CURRENT_USER, kParent);
}

bool CurrentUserHasKey(const std::wstring& path) {
    fw::UniqueRegKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

} // namespace testing_support
