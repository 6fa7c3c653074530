#pragma once
namespace skingen {
class PictureFolder;
// The exit question box.
void WriteMessageBoxPictures(PictureFolder& folder);
} // namespace skingen
