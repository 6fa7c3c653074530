#pragma once
// UTF-16 texts of the model to and from the UTF-8 of the exchange file.
#include <string>

// A lone surrogate becomes U+FFFD.
std::string ToUtf8(const std::wstring& text);
// Expects valid UTF-8 (the parser has checked it); a broken sequence becomes U+FFFD.
std::wstring FromUtf8(const std::string& text);
