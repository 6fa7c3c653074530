#pragma once
// Per-deliverable language tables and the mix-in of every window that shows text. Each
// deliverable links its own copy, so each has its own tables and its own language file.
#include <map>
#include <string>
#include <vector>

class IIniFile;

class CMultiLanguage {
public:
    // Full path of the language file; set by the owner before its first SelectLanguage.
    static std::wstring s_languageFile;
    // Name of the current language and of the file section holding its texts.
    static std::wstring s_currentLanguage;
    // Names under L1, L2, … of section "Language", in key order.
    static std::vector<std::wstring> s_languages;
    // The current language's texts; keys compared exactly.
    static std::map<std::wstring, std::wstring> s_texts;

    // Switches to name (null means empty) when it differs from the current language, then
    // has this object caption itself again. A switch is written to the file's "Default" when
    // the file names another language, never into a file whose [Language] section cannot be
    // read.
    void SelectLanguage(const wchar_t* name);

    // Rereads the language list and the current language's texts from the language file.
    static void LoadTables();

    // The current language's text for key, or null; valid until the next reload.
    static const wchar_t* GetText(const wchar_t* key);
    // The current language's text for key, or builtIn when the language has none.
    static const wchar_t* TextOr(const wchar_t* key, const wchar_t* builtIn);

    // The INI access the tables use; null goes back to the system's.
    static void SetIniFile(IIniFile* iniFile);

protected:
    virtual void OnLanguageChanged() = 0;
    ~CMultiLanguage() = default;
};
