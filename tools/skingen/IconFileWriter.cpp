#include "tools/skingen/IconFileWriter.h"

#include "framework/Handle.h"

#include <cstdint>

namespace skingen {
namespace {

#pragma pack(push, 1)
struct IconDir {
    uint16_t reserved;
    uint16_t type; // 1 = icon
    uint16_t count;
};
struct IconDirEntry {
    uint8_t width;
    uint8_t height;
    uint8_t colours;
    uint8_t reserved;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t bytes;
    uint32_t offset;
};
#pragma pack(pop)

// One entry: a bitmap header of double height (colour rows plus mask rows), the BGRA rows
// bottom-up, then the 1-bit AND mask (set where fully transparent), rows padded to 4 bytes.
std::vector<BYTE> EncodeEntry(const IconImage& image) {
    const int n = image.size;
    const int maskStride = ((n + 31) / 32) * 4;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = n;
    info.biHeight = n * 2;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(n * n * 4 + maskStride * n);

    std::vector<BYTE> bytes(sizeof(info) + info.biSizeImage, 0);
    memcpy(bytes.data(), &info, sizeof(info));
    BYTE* colour = bytes.data() + sizeof(info);
    BYTE* mask = colour + n * n * 4;
    for (int row = 0; row < n; ++row) {
        const int y = n - 1 - row;
        for (int x = 0; x < n; ++x) {
            const DWORD p = image.argb[static_cast<size_t>(y) * n + x];
            BYTE* out = colour + (static_cast<size_t>(row) * n + x) * 4;
            out[0] = static_cast<BYTE>(p);
            out[1] = static_cast<BYTE>(p >> 8);
            out[2] = static_cast<BYTE>(p >> 16);
            out[3] = static_cast<BYTE>(p >> 24);
            if ((p >> 24) == 0)
                mask[row * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    return bytes;
}

} // namespace

bool IconFileWriter::Write(const std::vector<IconImage>& images, const std::wstring& path) {
    std::vector<std::vector<BYTE>> entries;
    for (const IconImage& image : images) {
        if (image.size <= 0 || image.size > 256 ||
            image.argb.size() != static_cast<size_t>(image.size) * image.size)
            return false;
        entries.push_back(EncodeEntry(image));
    }

    fw::UniqueFileHandle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out)
        return false;
    auto put = [&](const void* data, size_t size) {
        DWORD written = 0;
        return WriteFile(out.get(), data, static_cast<DWORD>(size), &written, nullptr) &&
               written == size;
    };

    const IconDir dir = {0, 1, static_cast<uint16_t>(images.size())};
    if (!put(&dir, sizeof(dir)))
        return false;
    uint32_t offset = static_cast<uint32_t>(sizeof(IconDir) + sizeof(IconDirEntry) * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const uint8_t side = static_cast<uint8_t>(images[i].size == 256 ? 0 : images[i].size);
        const IconDirEntry entry = {
            side, side, 0, 0, 1, 32, static_cast<uint32_t>(entries[i].size()), offset};
        if (!put(&entry, sizeof(entry)))
            return false;
        offset += entry.bytes;
    }
    for (const auto& bytes : entries) {
        if (!put(bytes.data(), bytes.size()))
            return false;
    }
    return true;
}

} // namespace skingen
