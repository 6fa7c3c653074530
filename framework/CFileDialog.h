#pragma once
// The system's file-open dialog.
#include <windows.h>

#include <string>

class CWnd;

class CFileDialog {
public:
    // filter: pairs of description and pattern, each ended by '|', e.g. L"Programs|*.exe|".
    CFileDialog(const wchar_t* filter, CWnd* parent,
                DWORD flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);

    // Added to a typed name that has none.
    void SetDefaultExtension(const wchar_t* extension) { m_defaultExtension = extension; }
    // The name the dialog starts with.
    void SetFileName(const std::wstring& name) { m_path = name; }
    // Asks where to save instead of what to open.
    void UseSaveDialog() { m_save = true; }
    // The filter shown, counted from 1; after DoModal, the one the user left chosen.
    void SetFilterIndex(DWORD index) { m_filterIndex = index; }
    DWORD GetFilterIndex() const { return m_filterIndex; }

    // IDOK with the chosen path, IDCANCEL when dismissed.
    INT_PTR DoModal();
    const std::wstring& GetPathName() const { return m_path; }

private:
    std::wstring m_filter;
    CWnd* m_parent;
    DWORD m_flags;
    std::wstring m_defaultExtension;
    std::wstring m_path;
    bool m_save = false;
    DWORD m_filterIndex = 1;
};
