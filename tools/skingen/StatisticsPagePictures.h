#pragma once
namespace skingen {
class PictureFolder;
// The statistics page: count rows, colour scale, clock and the mouse with its hot spots.
void WriteStatisticsPagePictures(PictureFolder& folder);
} // namespace skingen
