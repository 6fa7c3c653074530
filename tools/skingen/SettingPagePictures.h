#pragma once
namespace skingen {
class PictureFolder;
// The settings page: both slider tracks with the labels of their four positions.
void WriteSettingPagePictures(PictureFolder& folder);
} // namespace skingen
