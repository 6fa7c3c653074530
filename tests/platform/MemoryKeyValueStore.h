#pragma once
// In-memory double of the key/value store seam. Names compare without regard to case, as in
// the registry, and values keep their raw type and bytes, so tests can plant damaged data;
// reads decode exactly as the registry implementation does.
#include "platform/IKeyValueStore.h"
#include "platform/StoredValue.h"

#include <map>
#include <memory>

namespace testing_support {

struct NoCaseLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};

struct MemoryKeyNode {
    std::map<std::wstring, std::shared_ptr<MemoryKeyNode>, NoCaseLess> keys;
    std::map<std::wstring, platform::StoredValue, NoCaseLess> values;
};

class MemoryKeyValueStore final : public platform::IKeyValueStore {
public:
    MemoryKeyValueStore(std::shared_ptr<MemoryKeyNode> node, bool writable);

    // The node at path below node ("" is node itself); null when missing and not created.
    static std::shared_ptr<MemoryKeyNode> Walk(const std::shared_ptr<MemoryKeyNode>& node,
                                               const std::wstring& path, bool create);

    std::unique_ptr<platform::IKeyValueStore> OpenKey(const std::wstring& path) override;
    std::unique_ptr<platform::IKeyValueStore> CreateKey(const std::wstring& path) override;
    std::vector<std::wstring> SubKeyNames() override;
    std::size_t ValueCount() override;
    bool HasValue(const std::wstring& name) override;
    std::optional<std::wstring> ReadString(const std::wstring& name,
                                           std::size_t maxLength) override;
    std::optional<std::uint32_t> ReadDword(const std::wstring& name) override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(const std::wstring& name,
                                                        std::size_t maxBytes) override;
    std::optional<platform::StoredValue> ReadValue(const std::wstring& name,
                                                   std::size_t maxBytes) override;
    bool WriteString(const std::wstring& name, const std::wstring& text) override;
    bool WriteDword(const std::wstring& name, std::uint32_t value) override;
    bool WriteBinary(const std::wstring& name, const std::vector<std::uint8_t>& bytes) override;

private:
    const platform::StoredValue* Find(const std::wstring& name) const;
    bool Write(const std::wstring& name, platform::StoredValue value);

    std::shared_ptr<MemoryKeyNode> m_node;
    bool m_writable;
};

} // namespace testing_support
