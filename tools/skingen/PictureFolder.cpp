#include "tools/skingen/PictureFolder.h"

#include "tools/skingen/BitmapFileWriter.h"
#include "tools/skingen/Canvas.h"

#include <windows.h>

namespace skingen {

PictureFolder::PictureFolder(std::wstring folder) : m_folder(std::move(folder)) {
    while (!m_folder.empty() && (m_folder.back() == L'\\' || m_folder.back() == L'/'))
        m_folder.pop_back();
}

bool PictureFolder::Prepare() const {
    if (CreateDirectoryW(m_folder.c_str(), nullptr))
        return true;
    const DWORD attributes = GetFileAttributesW(m_folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void PictureFolder::Write(const std::wstring& file, int width, int height,
                          const PaintFunction& paint) {
    Canvas canvas(width, height);
    if (canvas.IsValid()) {
        paint(canvas);
        if (BitmapFileWriter::Write(canvas, m_folder + L"\\" + file)) {
            ++m_written;
            return;
        }
    }
    m_failed.push_back(file);
}

void PictureFolder::WriteLooks(const std::vector<std::pair<std::wstring, SkinLook>>& files,
                               int width, int height, const LookPaintFunction& paint) {
    for (const auto& [file, look] : files)
        Write(file, width, height, [&, look = look](Canvas& canvas) { paint(canvas, look); });
}

} // namespace skingen
