#include "framework/CFileDialog.h"

#include "framework/CWnd.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

CFileDialog::CFileDialog(const wchar_t* filter, CWnd* parent, DWORD flags)
    : m_filter(filter ? filter : L""), m_parent(parent), m_flags(flags) {
    // The system wants the pairs separated by nulls and ended by two.
    std::replace(m_filter.begin(), m_filter.end(), L'|', L'\0');
    m_filter.push_back(L'\0');
}

INT_PTR CFileDialog::DoModal() {
    std::vector<wchar_t> path(32768, L'\0');
    m_path.copy(path.data(), std::min(m_path.size(), path.size() - 1));
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_parent ? m_parent->m_hWnd : nullptr;
    ofn.lpstrFilter = m_filter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.nFilterIndex = m_filterIndex;
    ofn.Flags = m_flags | OFN_EXPLORER;
    if (!m_defaultExtension.empty())
        ofn.lpstrDefExt = m_defaultExtension.c_str();
    if (!(m_save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) {
        m_path.clear();
        return IDCANCEL;
    }
    m_path = path.data();
    m_filterIndex = ofn.nFilterIndex;
    return IDOK;
}
