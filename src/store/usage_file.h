#pragma once
// The usage file: a signed 16-bit little-endian count of half-hours of use.

#include "platform/checked.h"

namespace vz {

class Runtime;

inline constexpr const char* kUsageFile = "ZURivIdid.tim";

// The start-up read: the stored count, 0 for an empty or new file.
Integer ReadUsage(Runtime& runtime);

// Adds `increment` to the count the file holds and writes it back. The checked
// addition comes before the write, so at overflow the file keeps its count.
// Returns the count written.
Integer AddToUsageFile(Runtime& runtime, Integer increment);

}  // namespace vz
