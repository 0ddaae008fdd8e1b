#pragma once
// Text forms of numbers: the runtime's general number form and Val.

#include <cstdint>
#include <string>
#include <vector>

namespace vz {

// General number form: shortest exact form, no trailing zeros, no thousands
// separator, `decimal` as the decimal separator ("6750.5", "-242", "16384.5").
std::string GeneralNumber(double value, const std::string& decimal = ".");

// Val: the leading number of a text, leading blanks skipped; 0 when none.
double Val(const std::string& text);

}  // namespace vz
