#include "os/slept_time.h"

#include <time.h>

namespace vz {

namespace {
std::int64_t Ns(clockid_t clock) {
    timespec t{};
    if (::clock_gettime(clock, &t) != 0) return 0;
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}
}  // namespace

// CLOCK_BOOTTIME runs on in a suspend, CLOCK_MONOTONIC does not: they part
// by the time slept.
std::int64_t SleptNs() {
#ifdef CLOCK_BOOTTIME
    return Ns(CLOCK_BOOTTIME) - Ns(CLOCK_MONOTONIC);
#else
    return 0;
#endif
}

}  // namespace vz
