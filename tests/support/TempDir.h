#pragma once
#include <string>

namespace testing_support {

// A fresh folder under the temporary directory, removed with its contents at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

    // Writes bytes as they are (no conversion).
    void Write(const std::wstring& name, const std::string& bytes) const;
    // The bytes of a file as they are; empty when it cannot be read.
    std::string Read(const std::wstring& name) const;

private:
    std::wstring m_path;
};

// Folder of the running test program.
std::wstring ProgramDir();

} // namespace testing_support
