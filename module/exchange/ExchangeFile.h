#pragma once
// The profile file on disk: read whole, up to the size limit, and written whole.
#include <string>

namespace exchange {

enum class FileRead { Ok, Unreadable, TooLarge };

// A file larger than kMaxFileBytes is not read past the limit.
FileRead ReadFileBytes(const std::wstring& path, std::string& bytes);
// False when the file cannot be created or written in full.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

} // namespace exchange
