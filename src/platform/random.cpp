#include "platform/random.h"

namespace vz {
namespace {
std::uint64_t Mix(std::uint64_t x) {  // splitmix64 finaliser
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}
}  // namespace

void Random::Randomize(std::int64_t clock_ms) {
    state_ = static_cast<std::uint32_t>(Mix(static_cast<std::uint64_t>(clock_ms) ^ state_)) & 0xFFFFFF;
}

float Random::Rnd() {
    // The classic 24-bit linear congruential step; 24 bits fit a float exactly.
    state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFF;
    return static_cast<float>(state_) / 16777216.0f;
}

}  // namespace vz
