#pragma once
// The gallery's own six state pictures, painted at start-up so that every control has a
// face for every state.
#include <string>

namespace gallery {

// Writes Gallery_<State>.bmp for the six states into folder; false when one fails.
bool WriteStatePictures(const std::wstring& folder);

} // namespace gallery
