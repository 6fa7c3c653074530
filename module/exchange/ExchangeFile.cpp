#include "module/exchange/ExchangeFile.h"

#include "module/exchange/ExchangeFormat.h"

#include <cstdio>
#include <memory>

namespace exchange {
namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

} // namespace

FileRead ReadFileBytes(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    File file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return FileRead::Unreadable;
    char buffer[64 * 1024];
    for (;;) {
        const std::size_t read = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, read);
        if (bytes.size() > kMaxFileBytes) {
            bytes.clear();
            return FileRead::TooLarge;
        }
        if (read < sizeof buffer)
            break;
    }
    if (std::ferror(file.get())) {
        bytes.clear();
        return FileRead::Unreadable;
    }
    return FileRead::Ok;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    File file(_wfopen(path.c_str(), L"wb"));
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

} // namespace exchange
