#pragma once
namespace skingen {
class PictureFolder;
// The three action editor pages shown below the button page's controls.
void WriteKeypressPictures(PictureFolder& folder);
void WriteCopyStringPictures(PictureFolder& folder);
void WriteLaunchAppPictures(PictureFolder& folder);
} // namespace skingen
