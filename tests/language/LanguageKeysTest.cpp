// The shipped language files against the code: every key a window of a deliverable looks up
// is in every language of that deliverable's file, and every text fits a value.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

using Keys = std::set<std::string>;

// The source tree as this program sees it (Wine maps the build machine's root to Z:).
const std::wstring kSourceRoot = L"Z:" SOURCE_ROOT;

std::string Narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size,
                        nullptr, nullptr);
    return out;
}

// Every .cpp and .h file below folder.
void ListSources(const std::wstring& folder, std::vector<std::wstring>& files) {
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListSources(path, files);
        else if (name.size() > 4 && (name.compare(name.size() - 4, 4, L".cpp") == 0 ||
                                     name.compare(name.size() - 2, 2, L".h") == 0))
            files.push_back(path);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream file(Narrow(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Collect(const std::string& source, const std::regex& pattern, Keys& keys) {
    for (std::sregex_iterator it(source.begin(), source.end(), pattern), end; it != end; ++it)
        keys.insert((*it)[1].str());
}

// The text keys written in the code below folder: what GetText and TextOr are given, the
// key column of the caption tables (a key followed in its row by the built-in text), and
// a whole literal chosen into a variable named key.
Keys KeysInCode(const std::wstring& folder) {
    static const std::regex lookedUp(R"((?:GetText|TextOr)\(\s*L"([^"]+)\")");
    // A row: "{" [control id or number ","] key "," [number ","] built-in text.
    static const std::regex tableRow(R"re(\{\s*(?:[\w +]+,\s*)?L"([^"]+)",\s*(?:\d+,\s*)?L")re");
    static const std::regex chosen(R"re(\bkey\s*=\s*L"([^"]+)";)re");
    std::vector<std::wstring> files;
    ListSources(kSourceRoot + L"\\" + folder, files);
    Keys keys;
    for (const std::wstring& file : files) {
        const std::string source = ReadAll(file);
        Collect(source, lookedUp, keys);
        Collect(source, tableRow, keys);
        Collect(source, chosen, keys);
    }
    return keys;
}

std::wstring Read(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value, 1024, file.c_str());
    return value;
}

// Names under L1, L2, ... of section "Language", as the tables read them.
std::vector<std::wstring> Languages(const std::wstring& file) {
    std::vector<std::wstring> names;
    for (int i = 1;; ++i) {
        const std::wstring name = Read(file, L"Language", L"L" + std::to_wstring(i));
        if (name.empty())
            return names;
        names.push_back(name);
    }
}

// A language's pairs up to the first missing ID, the first of a repeated key winning.
std::map<std::string, std::wstring> Texts(const std::wstring& file, const std::wstring& language) {
    std::map<std::string, std::wstring> texts;
    for (int i = 1;; ++i) {
        const std::wstring key = Read(file, language, L"ID" + std::to_wstring(i));
        if (key.empty())
            return texts;
        const std::wstring text = Read(file, language, L"TEXT" + std::to_wstring(i));
        if (!text.empty())
            texts.emplace(Narrow(key), text);
    }
}

struct Deliverable {
    const wchar_t* sources;
    const wchar_t* file;
};
const Deliverable kDeliverables[] = {
    {L"host", L"host\\Language\\l_gearhost.ini"},
    {L"module", L"module\\Language\\l_vireo.ini"},
};

// Keys the code builds while it runs, by the rule each place builds them with.
Keys KeysBuiltAtRunTime(const Deliverable& deliverable, const std::wstring& file) {
    Keys keys;
    if (std::wstring(deliverable.sources) == L"host") {
        // The language box shows each language under "ID_" and its name in capitals.
        for (std::wstring name : Languages(file)) {
            for (wchar_t& c : name)
                c = static_cast<wchar_t>(towupper(c));
            keys.insert("ID_" + Narrow(name));
        }
    } else {
        // A built-in action's description is looked up under its identifier and "_TIP".
        // (Actions the user makes get "ID_ACTION_<tick>" and "..._TIP": their own names,
        // never in a language file.)
        Keys builtIn;
        Collect(ReadAll(kSourceRoot + L"\\module\\actions\\BuiltInActions.cpp"),
                std::regex(R"(\{\s*L"(ACTION_ITEM_\w+)\")"), builtIn);
        EXPECT_EQ(builtIn.size(), 5u);
        for (const std::string& id : builtIn)
            keys.insert(id + "_TIP");
    }
    return keys;
}

TEST(ShippedLanguageFiles, HoldEveryKeyTheCodeLooksUpInEveryLanguage) {
    for (const Deliverable& deliverable : kDeliverables) {
        SCOPED_TRACE(Narrow(deliverable.file));
        const std::wstring file = kSourceRoot + L"\\" + deliverable.file;
        Keys keys = KeysInCode(deliverable.sources);
        const Keys built = KeysBuiltAtRunTime(deliverable, file);
        keys.insert(built.begin(), built.end());
        // A sign the collection read the code at all.
        EXPECT_EQ(keys.count(std::wstring(deliverable.sources) == L"host" ? "IDCANCEL"
                                                                          : "IDC_RADIO_PAGE1"),
                  1u);

        const std::vector<std::wstring> languages = Languages(file);
        ASSERT_GE(languages.size(), 2u);
        for (const std::wstring& language : languages) {
            const auto texts = Texts(file, language);
            std::string missing;
            for (const std::string& key : keys) {
                if (texts.count(key) == 0)
                    missing += " " + key;
            }
            EXPECT_EQ(missing, "") << "missing in [" << Narrow(language) << "]";
        }
    }
}

TEST(ShippedLanguageFiles, EveryTextFitsAValue) {
    for (const Deliverable& deliverable : kDeliverables) {
        const std::wstring file = kSourceRoot + L"\\" + deliverable.file;
        // Read as UTF-16: the file begins with a byte-order mark.
        const std::string bytes = ReadAll(file);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << Narrow(deliverable.file);
        for (const std::wstring& language : Languages(file)) {
            for (const auto& [key, text] : Texts(file, language)) {
                // A value is read into 260 characters.
                EXPECT_LE(text.size(), 259u) << Narrow(language) << " " << key;
            }
        }
    }
}

} // namespace
