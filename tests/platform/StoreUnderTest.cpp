#include "tests/platform/StoreUnderTest.h"

#include "framework/Handle.h"
#include "platform/RegistryKeyValueStore.h"
#include "tests/platform/MemoryKeyValueStore.h"
#include "tests/platform/RegistryTestKey.h"

namespace testing_support {

namespace {

std::wstring Join(const std::wstring& path, const std::wstring& name) {
    return path.empty() ? name : path + L"\\" + name;
}

class MemoryStoreUnderTest final : public StoreUnderTest {
public:
    std::unique_ptr<platform::IKeyValueStore> Root(bool writable) override {
        return std::make_unique<MemoryKeyValueStore>(m_root, writable);
    }
    void SetRaw(const std::wstring& path, const std::wstring& name,
                const platform::StoredValue& value) override {
        MemoryKeyValueStore::Walk(m_root, path, true)->values[name] = value;
    }
    std::optional<platform::StoredValue> Raw(const std::wstring& path,
                                             const std::wstring& name) override {
        auto node = MemoryKeyValueStore::Walk(m_root, path, false);
        if (!node || !node->values.count(name))
            return std::nullopt;
        return node->values.at(name);
    }
    void RemoveValue(const std::wstring& path, const std::wstring& name) override {
        if (auto node = MemoryKeyValueStore::Walk(m_root, path, false))
            node->values.erase(name);
    }
    void RemoveKey(const std::wstring& path) override {
        const std::size_t split = path.rfind(L'\\');
        const std::wstring parent = split == std::wstring::npos ? L"" : path.substr(0, split);
        const std::wstring name = split == std::wstring::npos ? path : path.substr(split + 1);
        if (auto node = MemoryKeyValueStore::Walk(m_root, parent, false))
            node->keys.erase(name);
    }
    bool HasKey(const std::wstring& path) override {
        return MemoryKeyValueStore::Walk(m_root, path, false) != nullptr;
    }
    StoreSnapshot Snapshot() override {
        StoreSnapshot snapshot;
        Collect(*m_root, L"", snapshot);
        return snapshot;
    }

private:
    static void Collect(const MemoryKeyNode& node, const std::wstring& path,
                        StoreSnapshot& snapshot) {
        snapshot[path + L"\\"] = {};
        for (const auto& value : node.values)
            snapshot[path + L"\\|" + value.first] = value.second;
        for (const auto& key : node.keys)
            Collect(*key.second, Join(path, key.first), snapshot);
    }

    std::shared_ptr<MemoryKeyNode> m_root = std::make_shared<MemoryKeyNode>();
};

std::optional<platform::StoredValue> Query(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    platform::StoredValue value{static_cast<platform::ValueType>(type),
                                std::vector<std::uint8_t>(size)};
    if (size > 0 && RegQueryValueExW(key, name.c_str(), nullptr, &type, value.bytes.data(),
                                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

void Collect(HKEY key, const std::wstring& path, StoreSnapshot& snapshot) {
    snapshot[path + L"\\"] = {};
    wchar_t name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD length = 16384;
        if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (auto value = Query(key, name))
            snapshot[path + L"\\|" + name] = *value;
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        fw::UniqueRegKey child;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, child.put()) == ERROR_SUCCESS)
            Collect(child.get(), Join(path, name), snapshot);
    }
}

class RegistryStoreUnderTest final : public StoreUnderTest {
public:
    std::unique_ptr<platform::IKeyValueStore> Root(bool writable) override {
        auto user = platform::OpenCurrentUserStore();
        if (!user)
            return nullptr;
        return writable ? user->CreateKey(m_key.Path()) : user->OpenKey(m_key.Path());
    }
    void SetRaw(const std::wstring& path, const std::wstring& name,
                const platform::StoredValue& value) override {
        fw::UniqueRegKey key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, Full(path).c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(),
                            nullptr) == ERROR_SUCCESS)
            RegSetValueExW(key.get(), name.c_str(), 0, static_cast<DWORD>(value.type),
                           value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
    }
    std::optional<platform::StoredValue> Raw(const std::wstring& path,
                                             const std::wstring& name) override {
        fw::UniqueRegKey key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Full(path).c_str(), 0, KEY_READ, key.put()) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return Query(key.get(), name);
    }
    void RemoveValue(const std::wstring& path, const std::wstring& name) override {
        fw::UniqueRegKey key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Full(path).c_str(), 0, KEY_WRITE, key.put()) ==
            ERROR_SUCCESS)
            RegDeleteValueW(key.get(), name.c_str());
    }
    void RemoveKey(const std::wstring& path) override {
        RegDeleteTreeW(HKEY_CURRENT_USER, Full(path).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, Full(path).c_str());
    }
    bool HasKey(const std::wstring& path) override { return CurrentUserHasKey(Full(path)); }
    StoreSnapshot Snapshot() override { return CurrentUserSnapshot(m_key.Path()); }

private:
    std::wstring Full(const std::wstring& path) const { return Join(m_key.Path(), path); }

    RegistryTestKey m_key;
};

} // namespace

StoreSnapshot CurrentUserSnapshot(const std::wstring& path) {
    StoreSnapshot snapshot;
    fw::UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS)
        Collect(key.get(), L"", snapshot);
    return snapshot;
}

std::unique_ptr<StoreUnderTest> MakeStore(StoreKind kind) {
    if (kind == StoreKind::Registry)
        return std::make_unique<RegistryStoreUnderTest>();
    return std::make_unique<MemoryStoreUnderTest>();
}

std::string StoreKindName(StoreKind kind) {
    return kind == StoreKind::Registry ? "Registry" : "Memory";
}

} // namespace testing_support
