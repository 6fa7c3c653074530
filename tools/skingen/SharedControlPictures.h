#pragma once
namespace skingen {
class PictureFolder;
// Pictures shared by controls of every window: list rows, scroll bar, the editable list's
// item buttons and row symbols, the slider thumb and the drop-down list's margin.
void WriteSharedControlPictures(PictureFolder& folder);
} // namespace skingen
