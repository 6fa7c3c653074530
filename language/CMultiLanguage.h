#pragma once
// Per-deliverable language tables and the mix-in of every window that shows text.
// (Minimal start: the tables and their file come with the language work.)
#include <map>
#include <string>
#include <vector>

class CMultiLanguage {
public:
    static std::wstring s_languageFile;
    static std::wstring s_currentLanguage;
    static std::vector<std::wstring> s_languages;
    static std::map<std::wstring, std::wstring> s_texts;

    // The current language's text for key, or null; valid until the next reload.
    static const wchar_t* GetText(const wchar_t* key);

protected:
    virtual void OnLanguageChanged() = 0;
    ~CMultiLanguage() = default;
};
