#pragma once
// Text forms of values: the runtime's general number form, Val, and the way
// traces write Booleans, numbers and strings.

#include <cstdint>
#include <string>
#include <vector>

namespace vz {

// General number form: shortest exact form, no trailing zeros, no thousands
// separator, `decimal` as the decimal separator ("6750.5", "-242", "16384.5").
std::string GeneralNumber(double value, const std::string& decimal = ".");

// Val: the leading number of a text, leading blanks skipped; 0 when none.
double Val(const std::string& text);

// Trace forms of values.
std::string TraceBool(bool value);  // True / False
std::string TraceString(const std::string& value);  // "..." with quotes doubled
std::string TraceNumber(double value);  // GeneralNumber with a point
// Bytes as hex pairs separated by blanks: "07 00".
std::string HexBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace vz
