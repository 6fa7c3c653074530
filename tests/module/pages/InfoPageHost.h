#pragma once
// A plain popup window that holds a page as its child, and plain pictures in .\res\ for the
// settings and statistics pages.
#include "framework/CDialog.h"
#include "language/CMultiLanguage.h"
#include "tests/skin/SkinResFolder.h"

#include <string>

namespace info_pages_test {

constexpr UINT kHostTemplate = 650;
constexpr DWORD kPageColour = 0x304050;
// SliderThumb.bmp: 20 × 40, four frames of 10 pixels.
constexpr int kThumbWidth = 20;

void WriteInfoPagePictures(const skin_test::SkinResFolder& res);

// Has page caption itself from the language file (missing: the built-in texts); the tables
// are emptied again by ForgetLanguage.
void SelectLanguageFile(CMultiLanguage& page, const std::wstring& file);
void ForgetLanguage();

class InfoPageHost : public CDialog {
public:
    InfoPageHost() : CDialog(kHostTemplate) {}
};

} // namespace info_pages_test
