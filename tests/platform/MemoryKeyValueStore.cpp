#include "tests/platform/MemoryKeyValueStore.h"

#include <algorithm>
#include <cwctype>

namespace testing_support {

bool NoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
}

MemoryKeyValueStore::MemoryKeyValueStore(std::shared_ptr<MemoryKeyNode> node, bool writable)
    : m_node(std::move(node)), m_writable(writable) {}

std::shared_ptr<MemoryKeyNode> MemoryKeyValueStore::Walk(const std::shared_ptr<MemoryKeyNode>& node,
                                                         const std::wstring& path, bool create) {
    std::shared_ptr<MemoryKeyNode> current = node;
    std::size_t start = 0;
    while (current && start < path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        const std::wstring name = path.substr(start, end - start);
        start = end + 1;
        if (name.empty())
            continue;
        auto it = current->keys.find(name);
        if (it != current->keys.end()) {
            current = it->second;
        } else if (create) {
            current = current->keys[name] = std::make_shared<MemoryKeyNode>();
        } else {
            current = nullptr;
        }
    }
    return current;
}

std::unique_ptr<platform::IKeyValueStore> MemoryKeyValueStore::OpenKey(const std::wstring& path) {
    auto node = Walk(m_node, path, false);
    return node ? std::make_unique<MemoryKeyValueStore>(node, false) : nullptr;
}

std::unique_ptr<platform::IKeyValueStore> MemoryKeyValueStore::CreateKey(const std::wstring& path) {
    if (!m_writable)
        return nullptr;
    return std::make_unique<MemoryKeyValueStore>(Walk(m_node, path, true), true);
}

std::vector<std::wstring> MemoryKeyValueStore::SubKeyNames() {
    std::vector<std::wstring> names;
    for (const auto& entry : m_node->keys)
        names.push_back(entry.first);
    return names;
}

std::size_t MemoryKeyValueStore::ValueCount() {
    return m_node->values.size();
}

const platform::StoredValue* MemoryKeyValueStore::Find(const std::wstring& name) const {
    auto it = m_node->values.find(name);
    return it == m_node->values.end() ? nullptr : &it->second;
}

bool MemoryKeyValueStore::HasValue(const std::wstring& name) {
    return Find(name) != nullptr;
}

std::optional<std::wstring> MemoryKeyValueStore::ReadString(const std::wstring& name,
                                                            std::size_t maxLength) {
    const platform::StoredValue* value = Find(name);
    return value ? platform::DecodeString(*value, maxLength) : std::nullopt;
}

std::optional<std::uint32_t> MemoryKeyValueStore::ReadDword(const std::wstring& name) {
    const platform::StoredValue* value = Find(name);
    return value ? platform::DecodeDword(*value) : std::nullopt;
}

std::optional<std::vector<std::uint8_t>> MemoryKeyValueStore::ReadBinary(const std::wstring& name,
                                                                         std::size_t maxBytes) {
    const platform::StoredValue* value = Find(name);
    return value ? platform::DecodeBinary(*value, maxBytes) : std::nullopt;
}

std::optional<platform::StoredValue> MemoryKeyValueStore::ReadValue(const std::wstring& name,
                                                                    std::size_t maxBytes) {
    const platform::StoredValue* value = Find(name);
    if (!value || value->bytes.size() > maxBytes)
        return std::nullopt;
    return *value;
}

bool MemoryKeyValueStore::Write(const std::wstring& name, platform::StoredValue value) {
    if (!m_writable)
        return false;
    m_node->values[name] = std::move(value);
    return true;
}

bool MemoryKeyValueStore::WriteString(const std::wstring& name, const std::wstring& text) {
    return Write(name, platform::EncodeString(text));
}

bool MemoryKeyValueStore::WriteDword(const std::wstring& name, std::uint32_t value) {
    return Write(name, platform::EncodeDword(value));
}

bool MemoryKeyValueStore::WriteBinary(const std::wstring& name,
                                      const std::vector<std::uint8_t>& bytes) {
    return Write(name, platform::EncodeBinary(bytes));
}

} // namespace testing_support
