#pragma once
// Byte and Integer arithmetic as the forms runtime does it: every conversion
// and addition is range-checked and raises Overflow instead of wrapping.

#include <cstdint>

namespace vz {

using Byte = std::uint8_t;
using Integer = std::int16_t;

// Checked conversion of a computed value into a Byte (0 to 255).
Byte CByte(long value);
Byte CByte(double value);  // rounds to nearest, ties to even, as the runtime does
// Checked conversion into an Integer (-32768 to 32767).
Integer CInt(long value);
// Checked Integer addition and multiplication.
Integer AddInt(Integer a, Integer b);
Integer MulInt(Integer a, Integer b);

}  // namespace vz
