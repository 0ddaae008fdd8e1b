#pragma once
// Window placement helpers shared by every window's load handler.

#include <cstdint>

namespace vz {

struct PixelRect {
    std::int32_t x, y, cx, cy;
};

// MakeTopmost's arithmetic: each twips value and factor rounded to a whole
// 32-bit number (ties to even), then divided with the quotient truncated.
PixelRect TopmostRect(double left, double top, double width, double height, double tppx,
                      double tppy);

}  // namespace vz
