#pragma once
// The pictures of the window designs on Windows, by the model's names for
// them: "icon", the program's icon from its resources, and "rest-picture",
// the rest screen's PNG, decoded by GDI+ when it is first drawn and kept.

#include <windows.h>

#include <map>
#include <string>

namespace vz::win32 {

class Pictures {
public:
    Pictures();
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    HICON Icon() const { return icon_; }
    // Draws the picture at its own size from the corner of `r`, as an image
    // that does not stretch; nothing for a picture the program does not carry.
    void Draw(HDC dc, const std::string& name, const RECT& r);

private:
    HBITMAP Bitmap(const std::string& name);

    HICON icon_ = nullptr;
    ULONG_PTR gdiplus_ = 0;
    std::map<std::string, HBITMAP> bitmaps_;
};

}  // namespace vz::win32
