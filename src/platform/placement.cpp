#include "platform/placement.h"

#include <cmath>

#include "platform/errors.h"

namespace vz {
namespace {
std::int32_t RoundLong(double v) {
    const double r = std::nearbyint(v);  // ties to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw RuntimeError(ErrorNumber::Overflow, "Overflow");
    return static_cast<std::int32_t>(r);
}
std::int32_t Div(std::int32_t a, std::int32_t b) {
    if (b == 0) throw RuntimeError(ErrorNumber::Overflow, "Division by zero");
    return a / b;  // C++ truncates toward zero
}
}  // namespace

PixelRect TopmostRect(double left, double top, double width, double height, double tppx,
                      double tppy) {
    const std::int32_t x = Div(RoundLong(left), RoundLong(tppx));
    const std::int32_t y = Div(RoundLong(top), RoundLong(tppy));
    const std::int32_t cx = Div(RoundLong(width), RoundLong(tppx));
    const std::int32_t cy = Div(RoundLong(height), RoundLong(tppy));
    return {x, y, cx, cy};
}

}  // namespace vz
