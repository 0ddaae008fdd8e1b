#pragma once
// The whole screen as a picture: every window of this thread drawn first,
// then the desktop copied into a bitmap and saved as a 32-bit BMP (rows top
// down). Written whole and then renamed, so a reader never sees half a file.

#include <string>

namespace vz::win32 {

bool SaveScreen(const std::wstring& path);

}  // namespace vz::win32
