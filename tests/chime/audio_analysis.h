#pragma once
// Measuring a recorded or generated sound: where its audible burst lies and
// which frequencies stand out in its spectrum.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vz::test {

struct Signal {
    std::vector<double> samples;  // -1..1 around silence
    int rate = 0;
};

// The sound of an 8-bit unsigned WAVE's samples (128 is silence).
inline Signal FromSigned16(const std::vector<std::uint8_t>& raw, int rate) {
    Signal s{{}, rate};
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2)
        s.samples.push_back(double(std::int16_t(raw[i] | raw[i + 1] << 8)) / 32768.0);
    return s;
}

// The loudness of each 10 ms window with its own mean taken away, so a steady
// offset (the chime's quiet end rests a little below 128) counts as silence.
inline std::vector<double> WindowLoudness(const Signal& s) {
    const std::size_t window = std::size_t(s.rate / 100);
    std::vector<double> out;
    for (std::size_t at = 0; at + window <= s.samples.size(); at += window) {
        double mean = 0;
        for (std::size_t i = at; i < at + window; ++i) mean += s.samples[i];
        mean /= double(window);
        double power = 0;
        for (std::size_t i = at; i < at + window; ++i) power += (s.samples[i] - mean) * (s.samples[i] - mean);
        out.push_back(std::sqrt(power / double(window)));
    }
    return out;
}

struct Burst {
    double start_s;
    double length_s;
};

// Runs of windows louder than `fraction` of the loudest window.
inline std::vector<Burst> Bursts(const Signal& s, double fraction = 0.05) {
    const auto loudness = WindowLoudness(s);
    std::vector<Burst> bursts;
    if (loudness.empty()) return bursts;
    const double peak = *std::max_element(loudness.begin(), loudness.end());
    if (peak <= 0) return bursts;
    constexpr double kWindowS = 0.01;
    std::size_t i = 0;
    while (i < loudness.size()) {
        if (loudness[i] <= peak * fraction) {
            ++i;
            continue;
        }
        const std::size_t first = i;
        while (i < loudness.size() && loudness[i] > peak * fraction) ++i;
        bursts.push_back({double(first) * kWindowS, double(i - first) * kWindowS});
    }
    return bursts;
}

// The magnitude of the Hann-windowed spectrum of samples [from, from + count)
// at frequency `hz`.
}  // namespace vz::test
