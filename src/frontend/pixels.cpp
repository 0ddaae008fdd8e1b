#include "frontend/pixels.h"

#include <cmath>

namespace vz {

int Px(double twips, int dpi) {
    // Twips per pixel first: 15 exactly at 96 dots per inch.
    return int(std::lround(twips / (1440.0 / dpi)));
}

Box PxBox(double left, double top, double width, double height, int dpi) {
    const int l = Px(left, dpi), t = Px(top, dpi);
    return Box{l, t, Px(left + width, dpi) - l, Px(top + height, dpi) - t};
}

}  // namespace vz
