#pragma once
// A page's captions as one table: each control's language key and the text it shows when
// the language file has none.
#include "framework/CWnd.h"

#include <cstddef>

namespace pages {

struct Caption {
    int controlId;
    const wchar_t* key;
    const wchar_t* builtIn;
};

// Captions every control of the table on page.
void SetCaptions(const CWnd& page, const Caption* table, std::size_t count);
template <std::size_t N> void SetCaptions(const CWnd& page, const Caption (&table)[N]) {
    SetCaptions(page, table, N);
}

} // namespace pages
