#pragma once
namespace skingen {
class PictureFolder;
// The button assignment page, with the mouse and its five hot spots.
void WriteButtonPagePictures(PictureFolder& folder);
} // namespace skingen
