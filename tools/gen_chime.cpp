// Writes the chime, resources/chime.wav: an 11,080-byte RIFF WAVE image,
// PCM mono 8-bit at 11025 Hz, a bell-like tone of about 0.8 s followed by
// near-silence.
//
// Everything is computed in integers (a polynomial sine, fixed-point
// envelopes), so the bytes come out the same on every machine and compiler.
//
// Usage: gen_chime OUTPUT.wav

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr std::uint32_t kSampleRate = 11025;
constexpr std::uint32_t kSampleCount = 11024;  // just under one second
constexpr std::uint32_t kHeaderSize = 56;      // RIFF, fmt (16), fact, data headers
constexpr std::int64_t kOne = 1 << 16;         // 1.0 in the Q16 fixed point used below

constexpr std::uint32_t AtMs(std::uint32_t ms) { return ms * kSampleRate / 1000; }

// A partial of the bell: its frequency, its starting amplitude in sample units
// and the time in samples over which it falls to 1/e of that.
struct Partial {
    std::uint32_t hz;
    std::int64_t amplitude;
    std::int64_t decay_samples;
};

// Lower partials ring longer, as on a small bell; the amplitudes add up to
// 117, so the loudest peak stays inside the 8-bit range around 128.
constexpr std::array<Partial, 4> kPartials{{
    {1300, 46, AtMs(1200)},
    {1600, 34, AtMs(1000)},
    {3400, 21, AtMs(500)},
    {4200, 16, AtMs(400)},
}};

// The overall shape: a short attack, full strength for 0.3 s, a step down to
// a softer ring until 0.7 s, then a fade that leaves only a faint residue
// after 0.8 s. Points are (sample, gain in Q16); straight lines between them.
struct Point {
    std::uint32_t at;
    std::int64_t gain;
};
constexpr std::array<Point, 7> kShape{{
    {0, 0},
    {AtMs(4), kOne},
    {AtMs(300), kOne},
    {AtMs(350), kOne * 62 / 100},
    {AtMs(700), kOne * 55 / 100},
    {AtMs(800), kOne * 3 / 100},
    {kSampleCount, kOne * 2 / 100},
}};

// The resting level: the tone swings around 128, and the quiet end rests at 123.
constexpr std::int64_t kToneLevel = 128;
constexpr std::int64_t kRestLevel = 123;
constexpr std::uint32_t kLevelGlideStart = AtMs(700);
constexpr std::uint32_t kLevelGlideEnd = AtMs(800);

// sin(2 pi phase / 2^32) in Q16, from a quarter-wave odd polynomial whose
// error stays near 2e-4, far below one step of an 8-bit sample.
std::int64_t Sine(std::uint32_t phase) {
    const std::uint32_t quadrant = phase >> 30;
    std::int64_t x = (phase >> 14) & 0xFFFF;  // position inside the quadrant, Q16
    if (quadrant & 1) x = kOne - x;
    constexpr std::int64_t a = 102939, b = 42154, c = 4765;  // pi/2 and its minimax partners
    const std::int64_t x2 = (x * x) >> 16;
    std::int64_t t = (c * x2) >> 16;
    t = ((b - t) * x2) >> 16;
    const std::int64_t s = ((a - t) * x) >> 16;
    return (quadrant & 2) ? -s : s;
}

std::int64_t Lerp(std::int64_t from, std::int64_t to, std::int64_t pos, std::int64_t span) {
    return from + (to - from) * pos / span;
}

std::int64_t ShapeAt(std::uint32_t n) {
    for (std::size_t i = 1; i < kShape.size(); ++i) {
        if (n < kShape[i].at) {
            const Point& p = kShape[i - 1];
            const Point& q = kShape[i];
            return Lerp(p.gain, q.gain, n - p.at, q.at - p.at);
        }
    }
    return kShape.back().gain;
}

std::int64_t LevelAt(std::uint32_t n) {
    if (n < kLevelGlideStart) return kToneLevel * kOne;
    if (n >= kLevelGlideEnd) return kRestLevel * kOne;
    return Lerp(kToneLevel * kOne, kRestLevel * kOne, n - kLevelGlideStart,
                kLevelGlideEnd - kLevelGlideStart);
}

std::vector<std::uint8_t> Samples() {
    constexpr std::int64_t kEnvOne = std::int64_t{1} << 30;
    std::array<std::uint32_t, kPartials.size()> phase{};
    std::array<std::uint32_t, kPartials.size()> step{};
    std::array<std::int64_t, kPartials.size()> envelope{};
    for (std::size_t p = 0; p < kPartials.size(); ++p) {
        step[p] = std::uint32_t(((std::uint64_t{kPartials[p].hz} << 32) + kSampleRate / 2) / kSampleRate);
        envelope[p] = kEnvOne;
    }
    std::vector<std::uint8_t> out(kSampleCount);
    for (std::uint32_t n = 0; n < kSampleCount; ++n) {
        std::int64_t tone = 0;  // Q16 sample units
        for (std::size_t p = 0; p < kPartials.size(); ++p) {
            const std::int64_t amp = (kPartials[p].amplitude * envelope[p]) >> 14;  // Q16
            tone += (amp * Sine(phase[p])) >> 16;
            phase[p] += step[p];
            envelope[p] -= envelope[p] / kPartials[p].decay_samples;
        }
        const std::int64_t value = LevelAt(n) + ((tone * ShapeAt(n)) >> 16);
        std::int64_t rounded = (value + kOne / 2) >> 16;
        if (rounded < 0) rounded = 0;
        if (rounded > 255) rounded = 255;
        out[n] = std::uint8_t(rounded);
    }
    return out;
}

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void PutId(std::vector<std::uint8_t>& b, const char (&id)[5]) { b.insert(b.end(), id, id + 4); }

std::vector<std::uint8_t> Image() {
    std::vector<std::uint8_t> b;
    PutId(b, "RIFF");
    Put32(b, kHeaderSize + kSampleCount - 8);
    PutId(b, "WAVE");
    PutId(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);  // PCM
    Put16(b, 1);  // mono
    Put32(b, kSampleRate);
    Put32(b, kSampleRate);  // bytes per second: one byte per sample
    Put16(b, 1);            // block align
    Put16(b, 8);            // bits per sample
    PutId(b, "fact");
    Put32(b, 4);
    Put32(b, kSampleCount);
    PutId(b, "data");
    Put32(b, kSampleCount);
    const auto samples = Samples();
    b.insert(b.end(), samples.begin(), samples.end());
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.wav\n", argv[0]);
        return 2;
    }
    const auto image = Image();
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const bool ok = std::fwrite(image.data(), 1, image.size(), f) == image.size();
    if (std::fclose(f) != 0 || !ok) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
