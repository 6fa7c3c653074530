#pragma once
// A key tree as text, one line per value ("\Key\Sub|Name = "text\0""), names in the
// registry's case-insensitive order: two trees are equal exactly when their texts are, and a
// difference shows as a readable diff.
#include "tests/platform/MemoryKeyValueStore.h"

#include <memory>
#include <string>

namespace testing_support {

// The tree at path below HKEY_CURRENT_USER, raw types and bytes; null when the key is missing.
std::shared_ptr<MemoryKeyNode> ReadCurrentUserTree(const std::wstring& path);

// Every value of the tree as text; a key without values is a line of its own.
std::string TreeText(const MemoryKeyNode& root);

} // namespace testing_support
