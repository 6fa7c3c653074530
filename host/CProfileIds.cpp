#include "host/CProfileIds.h"

INT_PTR CProfileIds::Add(const wchar_t* id) {
    auto copy = std::make_unique<std::wstring>(id ? id : L"");
    const auto value = reinterpret_cast<INT_PTR>(copy.get());
    m_ids.emplace(value, std::move(copy));
    return value;
}

const wchar_t* CProfileIds::Find(INT_PTR value) const {
    auto it = m_ids.find(value);
    return it == m_ids.end() ? nullptr : it->second->c_str();
}

void CProfileIds::Free(INT_PTR value) {
    m_ids.erase(value);
}
