#include "tests/skin/SkinResFolder.h"

#include <windows.h>

namespace skin_test {

SkinResFolder::SkinResFolder() {
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    m_previous = previous;
    CreateDirectoryW(m_dir.File(L"res").c_str(), nullptr);
    SetCurrentDirectoryW(m_dir.Path().c_str());
}

SkinResFolder::~SkinResFolder() {
    SetCurrentDirectoryW(m_previous.c_str());
}

void SkinResFolder::Write(const std::wstring& name, const std::string& bytes) const {
    m_dir.Write(L"res\\" + name, bytes);
}

std::wstring SkinResFolder::File(const std::wstring& name) const {
    return m_dir.File(L"res\\" + name);
}

} // namespace skin_test
