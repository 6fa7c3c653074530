#include "language/CMultiLanguage.h"

std::wstring CMultiLanguage::s_languageFile;
std::wstring CMultiLanguage::s_currentLanguage;
std::vector<std::wstring> CMultiLanguage::s_languages;
std::map<std::wstring, std::wstring> CMultiLanguage::s_texts;

const wchar_t* CMultiLanguage::GetText(const wchar_t* key) {
    if (!key)
        return nullptr;
    auto it = s_texts.find(key);
    return it == s_texts.end() ? nullptr : it->second.c_str();
}
