#pragma once

#include <cstdint>
#include <string>

namespace vz {

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
};

// Colours are 0x00BBGGRR. A value with the top bit set names a system colour
// by its index, which the desktop resolves.
using Color = std::uint32_t;
inline constexpr Color Rgb(int r, int g, int b) { return Color(r) | Color(g) << 8 | Color(b) << 16; }
inline constexpr Color SystemColor(int index) { return 0x80000000u | Color(index); }
inline constexpr bool IsSystemColor(Color c) { return (c & 0x80000000u) != 0; }

inline constexpr Color kRed = Rgb(255, 0, 0);
inline constexpr Color kBlack = Rgb(0, 0, 0);
inline constexpr Color kYellow = Rgb(255, 255, 0);
inline constexpr Color kWhite = Rgb(255, 255, 255);
inline constexpr Color kSystemWindowBackground = SystemColor(0x05);
inline constexpr Color kSystemHighlightText = SystemColor(0x0E);
inline constexpr Color kSystemButtonFace = SystemColor(0x0F);
inline constexpr Color kSystemButtonText = SystemColor(0x12);

enum class Alignment { Left = 0, Right = 1, Center = 2 };

}  // namespace vz
