#pragma once
// A key/value store that tests fill and inspect directly, below the seam: raw values of any
// type (damaged ones included) and a snapshot of everything stored. Two kinds: the in-memory
// double and a fresh key of the real registry, so the same store tests run on both.
#include "platform/IKeyValueStore.h"
#include "platform/StoredValue.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace testing_support {

// Every key ("path\") and value ("path\|name") below the root, with its raw contents.
using StoreSnapshot = std::map<std::wstring, platform::StoredValue>;

class StoreUnderTest {
public:
    virtual ~StoreUnderTest() = default;

    // The root key, opened for reading and writing or for reading only.
    virtual std::unique_ptr<platform::IKeyValueStore> Root(bool writable = true) = 0;

    // Paths are relative to the root, '\'-separated; missing keys are created.
    virtual void SetRaw(const std::wstring& path, const std::wstring& name,
                        const platform::StoredValue& value) = 0;
    virtual std::optional<platform::StoredValue> Raw(const std::wstring& path,
                                                     const std::wstring& name) = 0;
    virtual void RemoveValue(const std::wstring& path, const std::wstring& name) = 0;
    virtual void RemoveKey(const std::wstring& path) = 0;
    virtual bool HasKey(const std::wstring& path) = 0;
    virtual StoreSnapshot Snapshot() = 0;
};

enum class StoreKind { Memory, Registry };

std::unique_ptr<StoreUnderTest> MakeStore(StoreKind kind);

// Everything below a key of HKEY_CURRENT_USER, as Snapshot() gives it; empty when missing.
StoreSnapshot CurrentUserSnapshot(const std::wstring& path);

// For value-parameterized tests: "Memory" / "Registry".
std::string StoreKindName(StoreKind kind);

} // namespace testing_support
