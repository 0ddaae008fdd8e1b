#pragma once

#include <cstdint>
#include <string>

namespace vz {

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
};

// Colours are 0x00BBGGRR. A value with the top bit set names a system colour.
using Color = std::uint32_t;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kYellow = 0x00FFFF;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kSystemWindowBackground = 0x80000005;
inline constexpr Color kSystemButtonFace = 0x8000000F;
inline constexpr Color kSystemHighlightText = 0x8000000E;

inline constexpr Color Rgb(int r, int g, int b) { return Color(r) | Color(g) << 8 | Color(b) << 16; }

enum class Alignment { Left = 0, Right = 1, Center = 2 };

}  // namespace vz
