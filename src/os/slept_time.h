#pragma once
// How long the machine has slept (suspended, hibernated) since it started,
// where the clock the timers run on does not count it: Linux's monotonic
// clock and Windows' unbiased interrupt time stand still in a suspend.

#include <cstdint>

namespace vz {

// Nanoseconds the machine has slept that the timers' clock did not count.
std::int64_t SleptNs();

}  // namespace vz
