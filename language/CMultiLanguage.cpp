#include "language/CMultiLanguage.h"

#include "platform/Win32IniFile.h"

std::wstring CMultiLanguage::s_languageFile;
std::wstring CMultiLanguage::s_currentLanguage;
std::vector<std::wstring> CMultiLanguage::s_languages;
std::map<std::wstring, std::wstring> CMultiLanguage::s_texts;

namespace {

constexpr wchar_t kLanguageSection[] = L"Language";
constexpr wchar_t kDefaultKey[] = L"Default";
constexpr wchar_t kFallbackLanguage[] = L"English";

IIniFile* g_iniFile = nullptr;

IIniFile& Ini() {
    static Win32IniFile systemIniFile;
    return g_iniFile ? *g_iniFile : systemIniFile;
}

std::wstring Numbered(const wchar_t* prefix, int number) {
    return prefix + std::to_wstring(number);
}

} // namespace

void CMultiLanguage::SetIniFile(IIniFile* iniFile) {
    g_iniFile = iniFile;
}

void CMultiLanguage::SelectLanguage(const wchar_t* name) {
    // Callers pass names that live in s_languages, which the reload replaces.
    const std::wstring language = name ? name : L"";
    if (language != s_currentLanguage || language.empty()) {
        s_currentLanguage = language;
        LoadTables();
        Ini().WriteString(s_languageFile, kLanguageSection, kDefaultKey, s_currentLanguage);
    }
    OnLanguageChanged();
}

void CMultiLanguage::LoadTables() {
    IIniFile& ini = Ini();
    if (s_currentLanguage.empty())
        s_currentLanguage =
            ini.ReadString(s_languageFile, kLanguageSection, kDefaultKey, kFallbackLanguage);

    s_languages.clear();
    for (int i = 1;; ++i) {
        std::wstring name =
            ini.ReadString(s_languageFile, kLanguageSection, Numbered(L"L", i), L"");
        if (name.empty())
            break;
        s_languages.push_back(std::move(name));
    }

    s_texts.clear();
    // An empty section name would pick up whatever stands before the file's first section.
    if (s_currentLanguage.empty())
        return;
    for (int i = 1;; ++i) {
        std::wstring key =
            ini.ReadString(s_languageFile, s_currentLanguage, Numbered(L"ID", i), L"");
        if (key.empty())
            break;
        std::wstring text =
            ini.ReadString(s_languageFile, s_currentLanguage, Numbered(L"TEXT", i), L"");
        if (!text.empty())
            s_texts.emplace(std::move(key), std::move(text)); // the first pair of a key wins
    }
}

const wchar_t* CMultiLanguage::GetText(const wchar_t* key) {
    if (!key)
        return nullptr;
    auto it = s_texts.find(key);
    return it == s_texts.end() ? nullptr : it->second.c_str();
}
