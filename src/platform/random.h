#pragma once
// Randomize and Rnd: an even generator of single-precision values in [0, 1),
// reseeded from the scheduler's clock.

#include <cstdint>

namespace vz {

class Random {
public:
    // Reseeds from a clock reading, keeping some of the current state.
    void Randomize(std::int64_t clock_ms);
    // Next value, 0 up to but not including 1.
    float Rnd();

private:
    std::uint32_t state_ = 0x50000;  // 24-bit state
};

}  // namespace vz
