#include "module/pages/CaptionTable.h"

#include "language/CMultiLanguage.h"

namespace pages {

void SetCaptions(const CWnd& page, const Caption* table, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        ::SetDlgItemTextW(page.m_hWnd, table[i].controlId,
                          CMultiLanguage::TextOr(table[i].key, table[i].builtIn));
}

} // namespace pages
