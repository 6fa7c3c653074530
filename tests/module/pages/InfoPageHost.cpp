#include "tests/module/pages/InfoPageHost.h"

#include "tests/skin/SkinTestSupport.h"

namespace info_pages_test {

void WriteInfoPagePictures(const skin_test::SkinResFolder& res) {
    using skin_test::SolidBitmapFile;
    // The masks keep every pixel (none is white) and give each page its size.
    res.Write(L"SettingPage_Normal.bmp", SolidBitmapFile(531, 320, kPageColour));
    res.Write(L"SettingPage_Mask.bmp", SolidBitmapFile(531, 320, 0x000000));
    for (const wchar_t* name : {L"StatisticsPage_Normal.bmp", L"StatisticsPage_Disable.bmp",
                                L"StatisticsPage_Hover.bmp", L"StatisticsPage_Selected.bmp"})
        res.Write(name, SolidBitmapFile(780, 512, kPageColour));
    res.Write(L"StatisticsPage_Mask.bmp", SolidBitmapFile(780, 512, 0x000000));
    res.Write(L"SliderThumb.bmp", SolidBitmapFile(kThumbWidth, 40, 0xAA0000));
}

void SelectLanguageFile(CMultiLanguage& page, const std::wstring& file) {
    ForgetLanguage();
    CMultiLanguage::s_languageFile = file;
    page.SelectLanguage(nullptr);
}

void ForgetLanguage() {
    CMultiLanguage::s_languageFile.clear();
    CMultiLanguage::s_currentLanguage.clear();
    CMultiLanguage::s_languages.clear();
    CMultiLanguage::s_texts.clear();
}

} // namespace info_pages_test
