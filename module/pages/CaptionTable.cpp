#include "module/pages/CaptionTable.h"

#include "language/CMultiLanguage.h"

namespace pages {

const wchar_t* TextOr(const wchar_t* key, const wchar_t* builtIn) {
    const wchar_t* text = CMultiLanguage::GetText(key);
    return text ? text : builtIn;
}

void SetCaptions(const CWnd& page, const Caption* table, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        ::SetDlgItemTextW(page.m_hWnd, table[i].controlId, TextOr(table[i].key, table[i].builtIn));
}

} // namespace pages
