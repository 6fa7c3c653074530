#pragma once
// Captions of a page's controls: the current language's text for each key, else the text
// the page was built with.
#include <cstddef>

class CWnd;

struct PageCaption {
    int id;
    const wchar_t* key;
    const wchar_t* builtIn;
};

const wchar_t* TextOr(const wchar_t* key, const wchar_t* builtIn);

void SetCaptions(const CWnd& page, const PageCaption* captions, std::size_t count);

template <std::size_t N> void SetCaptions(const CWnd& page, const PageCaption (&captions)[N]) {
    SetCaptions(page, captions, N);
}
