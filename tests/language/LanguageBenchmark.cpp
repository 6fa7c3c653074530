// Loading a language of 10,000 texts from a real language file: the tables as they load now
// (one read per section) against the same file read a key at a time through the system, as
// a baseline in the same run. Prints the median of several rounds and the ratio.
#include "language/CMultiLanguage.h"
#include "platform/Win32IniFile.h"
#include "tests/support/BenchmarkTiming.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

namespace {

using testing_support::Median;
using testing_support::Milliseconds;

constexpr int kTexts = 10000;

std::string LanguageFile() {
    std::wstring text = L"[Language]\r\nDefault=English\r\nL1=English\r\n[English]\r\n";
    for (int i = 1; i <= kTexts; ++i) {
        const std::wstring n = std::to_wstring(i);
        text += L"ID" + n + L"=IDC_CONTROL_" + n + L"\r\nTEXT" + n + L"=Caption of control " + n +
                L"\r\n";
    }
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// The baseline: every key a read of its own.
std::size_t LoadKeyByKey(const std::wstring& file) {
    Win32IniFile ini;
    const std::wstring language = ini.ReadString(file, L"Language", L"Default", L"English");
    std::vector<std::wstring> languages;
    for (int i = 1;; ++i) {
        std::wstring name = ini.ReadString(file, L"Language", L"L" + std::to_wstring(i), L"");
        if (name.empty())
            break;
        languages.push_back(name);
    }
    std::map<std::wstring, std::wstring> texts;
    for (int i = 1;; ++i) {
        std::wstring key = ini.ReadString(file, language, L"ID" + std::to_wstring(i), L"");
        if (key.empty())
            break;
        std::wstring text = ini.ReadString(file, language, L"TEXT" + std::to_wstring(i), L"");
        if (!text.empty())
            texts.emplace(key, text);
    }
    return texts.size();
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    testing_support::TempDir dir;
    dir.Write(L"l_test.ini", LanguageFile());
    const std::wstring file = dir.File(L"l_test.ini");
    CMultiLanguage::s_languageFile = file;

    std::vector<double> now, keyByKey;
    for (int round = 0; round < rounds; ++round) {
        std::size_t loaded = 0;
        now.push_back(Milliseconds([&] {
            CMultiLanguage::s_currentLanguage.clear();
            CMultiLanguage::LoadTables();
            loaded = CMultiLanguage::s_texts.size();
        }));
        std::size_t baseline = 0;
        keyByKey.push_back(Milliseconds([&] { baseline = LoadKeyByKey(file); }));
        if (loaded != kTexts || baseline != kTexts) {
            std::printf("texts lost: %zu and %zu of %d\n", loaded, baseline, kTexts);
            return 1;
        }
    }

    std::printf("language of %d texts, median of %d rounds\n", kTexts, rounds);
    std::printf("  one read per section: %8.1f ms\n", Median(now));
    std::printf("  one read per key:     %8.1f ms (baseline)\n", Median(keyByKey));
    std::printf("  ratio: %.1fx faster\n", Median(keyByKey) / Median(now));
    std::printf("RESULT language_load %.4f ms\nRESULT language_load_per_key %.4f ms\n", Median(now),
                Median(keyByKey));
    return 0;
}
