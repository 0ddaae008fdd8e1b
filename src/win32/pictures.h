#pragma once
// The pictures of the window designs on Windows, by the model's names for
// them: "icon", the program's icon from its resources, and "rest-picture",
// the rest screen's PNG, decoded by GDI+ when it is first shown. Each is kept
// at every dots per inch it was asked for, scaled from 96.

#include <windows.h>

#include <map>
#include <string>
#include <utility>

namespace vz::win32 {

class Pictures {
public:
    Pictures() = default;
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // The program's icon at the size a 32-pixel icon has at `dpi`.
    HICON Icon(int dpi);
    // A picture the program carries, at `dpi`; nullptr for one it does not.
    HBITMAP Bitmap(const std::string& name, int dpi);

private:
    ULONG_PTR gdiplus_ = 0;
    std::map<int, HICON> icons_;
    std::map<std::pair<std::string, int>, HBITMAP> bitmaps_;
};

}  // namespace vz::win32
