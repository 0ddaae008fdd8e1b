#pragma once
// The GDI objects the windows draw with, made once and kept while the program
// runs, so that painting allocates nothing: a brush and a pen for each colour,
// a font for each design font at each dots per inch. A text that the design
// font cannot show (the full-width colons of the About window, in a font
// without them) is given a font that can.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "frontend/pixels.h"
#include "platform/font.h"

namespace vz::win32 {

// A colour of the model as a GDI colour; system colours are the system's.
COLORREF ToColorRef(Color color);

class Look {
public:
    Look() = default;
    ~Look();
    Look(const Look&) = delete;
    Look& operator=(const Look&) = delete;

    HBRUSH Brush(Color color);
    HPEN Pen(Color color, int width);
    // The design font at `dpi`, or, when it lacks a character of `text`, the
    // first fallback face at the same size that has them all.
    HFONT Font(const vz::Font& font, int dpi, const std::string& text = {});
    // The size of one line of `text` as the windows draw it.
    Size Measure(const vz::Font& font, int dpi, const std::string& text);

private:
    HFONT Make(const std::wstring& face, const vz::Font& font, int dpi);

    std::map<Color, HBRUSH> brushes_;
    std::map<std::pair<Color, int>, HPEN> pens_;
    std::map<std::tuple<std::wstring, double, bool, int>, HFONT> fonts_;
};

}  // namespace vz::win32
