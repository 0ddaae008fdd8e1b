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
inline Signal FromUnsigned8(const std::uint8_t* data, std::size_t count, int rate) {
    Signal s{{}, rate};
    s.samples.reserve(count);
    for (std::size_t i = 0; i < count; ++i) s.samples.push_back((double(data[i]) - 128.0) / 128.0);
    return s;
}

// The sound of raw signed 16-bit little-endian mono samples.
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
inline double Magnitude(const Signal& s, std::size_t from, std::size_t count, double hz) {
    const double pi = std::acos(-1.0);
    double re = 0, im = 0;
    for (std::size_t n = 0; n < count && from + n < s.samples.size(); ++n) {
        const double hann = 0.5 - 0.5 * std::cos(2 * pi * double(n) / double(count - 1));
        const double phase = 2 * pi * hz * double(n) / s.rate;
        re += s.samples[from + n] * hann * std::cos(phase);
        im -= s.samples[from + n] * hann * std::sin(phase);
    }
    return std::hypot(re, im);
}

// The `count` strongest spectral peaks between `low` and `high` Hz, in rising
// order of frequency, searched on a 5 Hz grid; peaks closer than `spacing` Hz
// to a stronger one are skipped.
inline std::vector<double> StrongestPeaks(const Signal& s, std::size_t from, std::size_t length,
                                          int count, double low = 400, double high = 5400,
                                          double spacing = 150) {
    constexpr double kStep = 5;
    std::vector<std::pair<double, double>> grid;  // magnitude, frequency
    for (double hz = low; hz <= high; hz += kStep) grid.emplace_back(Magnitude(s, from, length, hz), hz);
    std::vector<std::pair<double, double>> maxima;
    for (std::size_t i = 1; i + 1 < grid.size(); ++i)
        if (grid[i].first >= grid[i - 1].first && grid[i].first > grid[i + 1].first) maxima.push_back(grid[i]);
    std::sort(maxima.rbegin(), maxima.rend());
    std::vector<double> peaks;
    for (const auto& [magnitude, hz] : maxima) {
        const bool near_stronger = std::any_of(peaks.begin(), peaks.end(),
                                               [&](double p) { return std::abs(p - hz) < spacing; });
        if (!near_stronger) peaks.push_back(hz);
        if (int(peaks.size()) == count) break;
    }
    std::sort(peaks.begin(), peaks.end());
    return peaks;
}

}  // namespace vz::test
