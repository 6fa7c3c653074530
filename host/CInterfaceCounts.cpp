#include "host/CInterfaceCounts.h"

bool CInterfaceCounts::Arrive(const std::wstring& key) {
    return ++m_counts[key] == 1;
}

bool CInterfaceCounts::Leave(const std::wstring& key) {
    auto it = m_counts.find(key);
    if (it == m_counts.end() || it->second <= 0)
        return false;
    return --it->second == 0;
}

int CInterfaceCounts::Count(const std::wstring& key) const {
    auto it = m_counts.find(key);
    return it == m_counts.end() ? 0 : it->second;
}
