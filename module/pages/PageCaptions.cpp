#include "module/pages/PageCaptions.h"

#include "framework/CWnd.h"
#include "language/CMultiLanguage.h"

const wchar_t* TextOr(const wchar_t* key, const wchar_t* builtIn) {
    const wchar_t* text = CMultiLanguage::GetText(key);
    return text ? text : builtIn;
}

void SetCaptions(const CWnd& page, const PageCaption* captions, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        page.SetDlgItemText(captions[i].id, TextOr(captions[i].key, captions[i].builtIn));
}
