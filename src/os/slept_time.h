#pragma once
// How long the machine has slept (suspended, hibernated) since it started,
// where the monotonic clock the timers run on does not count it: on Linux
// that clock stands still in a suspend. On Windows the performance counter
// counts the sleep itself, so nothing is missing there.

#include <cstdint>

namespace vz {

// Nanoseconds the machine has slept that the timers' clock did not count.
std::int64_t SleptNs();

}  // namespace vz
