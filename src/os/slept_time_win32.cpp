#include "os/slept_time.h"

#include <windows.h>

namespace vz {

// The performance counter runs on in a sleep, the unbiased interrupt time
// (the timers' clock here) does not: they part by the time slept.
std::int64_t SleptNs() {
    LARGE_INTEGER counter{}, frequency{};
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    ULONGLONG unbiased = 0;
    ::QueryUnbiasedInterruptTime(&unbiased);
    const std::int64_t c = counter.QuadPart, f = frequency.QuadPart;
    return c / f * 1'000'000'000 + c % f * 1'000'000'000 / f - std::int64_t(unbiased) * 100;
}

}  // namespace vz
