#pragma once
// A temporary folder with a "res" subfolder made the current directory for the lifetime of
// the object, so controls that load their pictures from .\res\ find the test's own.
#include "tests/support/TempDir.h"

#include <string>

namespace skin_test {

class SkinResFolder {
public:
    SkinResFolder();
    ~SkinResFolder();
    SkinResFolder(const SkinResFolder&) = delete;
    SkinResFolder& operator=(const SkinResFolder&) = delete;

    // Writes res\<name>.
    void Write(const std::wstring& name, const std::string& bytes) const;
    std::wstring File(const std::wstring& name) const;

private:
    testing_support::TempDir m_dir;
    std::wstring m_previous;
};

} // namespace skin_test
