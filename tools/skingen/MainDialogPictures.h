#pragma once
namespace skingen {
class PictureFolder;
// The host's main window: its five state pictures and its mask.
void WriteMainDialogPictures(PictureFolder& folder);
} // namespace skingen
