#include "platform/checked.h"

#include <cmath>

#include "platform/errors.h"

namespace vz {
namespace {
[[noreturn]] void overflow() { throw RuntimeError(ErrorNumber::Overflow, "Overflow"); }
}  // namespace

Byte CByte(long value) {
    if (value < 0 || value > 255) overflow();
    return static_cast<Byte>(value);
}

Byte CByte(double value) {
    if (!std::isfinite(value)) overflow();
    const double r = std::nearbyint(value);  // default rounding mode: ties to even
    if (r < 0 || r > 255) overflow();
    return static_cast<Byte>(r);
}

Integer CInt(long value) {
    if (value < -32768 || value > 32767) overflow();
    return static_cast<Integer>(value);
}

Integer AddInt(Integer a, Integer b) { return CInt(long{a} + long{b}); }
Integer MulInt(Integer a, Integer b) { return CInt(long{a} * long{b}); }

}  // namespace vz
