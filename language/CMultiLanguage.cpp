#include "language/CMultiLanguage.h"

#include "platform/Win32IniFile.h"

#include <optional>

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

// One section read at once, looked up as the system looks up single keys: names without
// regard to case, and the first line of a key wins. The keys looked up here are ASCII.
class SectionValues {
public:
    explicit SectionValues(const std::vector<IniEntry>& entries) {
        for (const IniEntry& entry : entries)
            m_values.emplace(Folded(entry.key), entry.value);
    }

    bool Empty() const { return m_values.empty(); }

    std::optional<std::wstring> Find(const std::wstring& key) const {
        auto it = m_values.find(Folded(key));
        if (it == m_values.end())
            return std::nullopt;
        return it->second;
    }

    std::wstring Value(const std::wstring& key) const { return Find(key).value_or(L""); }

private:
    static std::wstring Folded(std::wstring key) {
        for (wchar_t& c : key) {
            if (c >= L'a' && c <= L'z')
                c = static_cast<wchar_t>(c - L'a' + L'A');
        }
        return key;
    }

    std::map<std::wstring, std::wstring> m_values;
};

// What the file's [Language] section holds.
struct LanguageIndex {
    // False when the section could not be read: missing, empty, or in a file the system
    // cannot read (UTF-16 without a byte-order mark reads as ANSI).
    bool readable = false;
    std::optional<std::wstring> defaultLanguage;
    std::vector<std::wstring> languages;
};

LanguageIndex ReadLanguageIndex() {
    const SectionValues section(
        Ini().ReadSection(CMultiLanguage::s_languageFile, kLanguageSection));
    LanguageIndex index;
    index.readable = !section.Empty();
    index.defaultLanguage = section.Find(kDefaultKey);
    for (int i = 1;; ++i) {
        std::wstring name = section.Value(Numbered(L"L", i));
        if (name.empty())
            break;
        index.languages.push_back(std::move(name));
    }
    return index;
}

void LoadTablesFrom(const LanguageIndex& index) {
    if (CMultiLanguage::s_currentLanguage.empty())
        CMultiLanguage::s_currentLanguage = index.defaultLanguage.value_or(kFallbackLanguage);
    CMultiLanguage::s_languages = index.languages;

    std::map<std::wstring, std::wstring>& texts = CMultiLanguage::s_texts;
    texts.clear();
    // An empty section name would pick up whatever stands before the file's first section.
    if (CMultiLanguage::s_currentLanguage.empty())
        return;
    // The whole section in one read: a read per key costs a pass over the file each.
    const SectionValues section(
        Ini().ReadSection(CMultiLanguage::s_languageFile, CMultiLanguage::s_currentLanguage));
    for (int i = 1;; ++i) {
        std::wstring key = section.Value(Numbered(L"ID", i));
        if (key.empty())
            break;
        std::wstring text = section.Value(Numbered(L"TEXT", i));
        if (!text.empty())
            texts.emplace(std::move(key), std::move(text)); // the first pair of a key wins
    }
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
        const LanguageIndex index = ReadLanguageIndex();
        LoadTablesFrom(index);
        // Writing into a file the system could not read would rewrite it from what it made
        // of it, losing every text; a name the file already holds needs no write.
        if (index.readable && index.defaultLanguage != s_currentLanguage)
            Ini().WriteString(s_languageFile, kLanguageSection, kDefaultKey, s_currentLanguage);
    }
    OnLanguageChanged();
}

void CMultiLanguage::LoadTables() {
    LoadTablesFrom(ReadLanguageIndex());
}

const wchar_t* CMultiLanguage::GetText(const wchar_t* key) {
    if (!key)
        return nullptr;
    auto it = s_texts.find(key);
    return it == s_texts.end() ? nullptr : it->second.c_str();
}

const wchar_t* CMultiLanguage::TextOr(const wchar_t* key, const wchar_t* builtIn) {
    const wchar_t* text = GetText(key);
    return text ? text : builtIn;
}
