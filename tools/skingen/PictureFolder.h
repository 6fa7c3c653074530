#pragma once
// The folder the pictures go to: paints each picture on a fresh canvas, writes it as a
// bitmap file and counts what could not be written.
#include "tools/skingen/SkinLook.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace skingen {

class Canvas;

using PaintFunction = std::function<void(Canvas&)>;
using LookPaintFunction = std::function<void(Canvas&, SkinLook)>;

class PictureFolder {
public:
    explicit PictureFolder(std::wstring folder);

    // Creates the folder when it does not exist yet.
    bool Prepare() const;

    void Write(const std::wstring& file, int width, int height, const PaintFunction& paint);
    // One file per look, all of one size, all painted by the same function.
    void WriteLooks(const std::vector<std::pair<std::wstring, SkinLook>>& files, int width,
                    int height, const LookPaintFunction& paint);

    int Written() const { return m_written; }
    const std::vector<std::wstring>& Failed() const { return m_failed; }

private:
    std::wstring m_folder;
    int m_written = 0;
    std::vector<std::wstring> m_failed;
};

} // namespace skingen
