#pragma once
namespace skingen {
class PictureFolder;
// The module window: one background per tab, its hover, pressed and disabled pictures,
// and its mask.
void WriteModuleWindowPictures(PictureFolder& folder);
} // namespace skingen
