#include "tests/installer/RegistryTree.h"

#include "framework/Handle.h"

#include <cstdio>

namespace testing_support {

namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

void ReadKey(HKEY key, MemoryKeyNode& node) {
    wchar_t name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = 16384;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        fw::UniqueRegKey child;
        auto childNode = std::make_shared<MemoryKeyNode>();
        if (RegOpenKeyExW(key, name, 0, KEY_READ, child.put()) == ERROR_SUCCESS)
            ReadKey(child.get(), *childNode);
        node.keys[name] = childNode;
    }
    for (DWORD index = 0;; ++index) {
        DWORD length = 16384;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, index, name, &length, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        platform::StoredValue value;
        value.type = static_cast<platform::ValueType>(type);
        value.bytes.resize(size);
        length = 16384;
        RegEnumValueW(key, index, name, &length, nullptr, &type, value.bytes.data(), &size);
        node.values[name] = value;
    }
}

// Texts with every unit up to the stored end ("\0" for a null), numbers in decimal, the
// rest in hex, so that a missing terminator or a wrong size shows too.
std::string ValueText(const platform::StoredValue& value) {
    std::string text;
    if (value.type == platform::ValueType::String) {
        text = "\"";
        for (std::size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
            const unsigned unit = value.bytes[i] | (value.bytes[i + 1] << 8);
            text += unit == 0 ? std::string("\\0") : Narrow(std::wstring(1, wchar_t(unit)));
        }
        return text + "\"" + (value.bytes.size() % 2 ? " +1 byte" : "");
    }
    if (value.type == platform::ValueType::Dword && value.bytes.size() == 4) {
        std::uint32_t number = 0;
        for (std::size_t i = 4; i-- > 0;)
            number = number << 8 | value.bytes[i];
        return "dword " + std::to_string(number);
    }
    text = "type " + std::to_string(static_cast<std::uint32_t>(value.type)) + " ";
    for (std::uint8_t byte : value.bytes) {
        char hex[3];
        std::snprintf(hex, sizeof(hex), "%02x", byte);
        text += hex;
    }
    return text;
}

void AppendText(const MemoryKeyNode& node, const std::string& path, std::string& text) {
    if (node.values.empty())
        text += path + "\n";
    for (const auto& [name, value] : node.values)
        text += path + "|" + Narrow(name) + " = " + ValueText(value) + "\n";
    for (const auto& [name, child] : node.keys)
        AppendText(*child, path + "\\" + Narrow(name), text);
}

} // namespace

std::shared_ptr<MemoryKeyNode> ReadCurrentUserTree(const std::wstring& path) {
    fw::UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return nullptr;
    auto root = std::make_shared<MemoryKeyNode>();
    ReadKey(key.get(), *root);
    return root;
}

std::string TreeText(const MemoryKeyNode& root) {
    std::string text;
    AppendText(root, "", text);
    return text;
}

} // namespace testing_support
