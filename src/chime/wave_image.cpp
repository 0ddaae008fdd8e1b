#include "chime/wave_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vz {

namespace {

constexpr std::size_t kRiffHeaderSize = 12;  // "RIFF", size, "WAVE"
constexpr std::size_t kChunkHeaderSize = 8;  // identifier, size
constexpr std::size_t kPcmFormatSize = 16;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;

std::uint32_t Read32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t Read16(const Bytes& b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}
bool IdAt(const Bytes& b, std::size_t at, const char* id) {
    return b.size() >= at + 4 && std::memcmp(b.data() + at, id, 4) == 0;
}

// One sample as a level around silence, and back.
double SampleLevel(const WaveImage& wave, const std::uint8_t* at) {
    if (wave.encoding == WaveImage::Encoding::Float) {
        float f;
        std::memcpy(&f, at, sizeof f);
        return f;
    }
    switch (wave.bits_per_sample) {
    case 8: return double(*at) - 128.0;
    case 16: return double(std::int16_t(at[0] | at[1] << 8));
    default: return double(std::int32_t(std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 |
                                        std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24));
    }
}

void PutSample(const WaveImage& wave, double level, Bytes& out) {
    if (wave.encoding == WaveImage::Encoding::Float) {
        const float f = float(level);
        std::uint8_t bytes[sizeof f];
        std::memcpy(bytes, &f, sizeof f);
        out.insert(out.end(), bytes, bytes + sizeof f);
        return;
    }
    const long long v = std::llround(level);
    switch (wave.bits_per_sample) {
    case 8: out.push_back(std::uint8_t(v + 128)); break;
    case 16:
        for (int i = 0; i < 2; ++i) out.push_back(std::uint8_t(std::uint16_t(v) >> (8 * i)));
        break;
    default:
        for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(std::uint32_t(v) >> (8 * i)));
        break;
    }
}

}  // namespace

Bytes QuietEnding(const WaveImage& wave, const Bytes& image, int fade_ms, int silence_ms) {
    const std::size_t frame = std::size_t(wave.BytesPerFrame());
    const std::size_t sample = frame / std::size_t(wave.channels);
    const long long fade_frames = static_cast<long long>(wave.sample_rate) * fade_ms / 1000;
    const long long silent_frames = static_cast<long long>(wave.sample_rate) * silence_ms / 1000;
    std::vector<double> last(std::size_t(wave.channels), 0.0);
    if (wave.data_size >= frame) {
        const std::uint8_t* at = image.data() + wave.data_offset + wave.data_size - frame;
        for (std::size_t c = 0; c < last.size(); ++c) last[c] = SampleLevel(wave, at + c * sample);
    }
    Bytes out;
    out.reserve(std::size_t(fade_frames + silent_frames) * frame);
    for (long long i = 0; i < fade_frames; ++i) {
        const double keep = double(fade_frames - 1 - i) / double(fade_frames);
        for (double level : last) PutSample(wave, level * keep, out);
    }
    for (long long i = 0; i < silent_frames; ++i)
        for (std::size_t c = 0; c < last.size(); ++c) PutSample(wave, 0.0, out);
    return out;
}

long long WaveImage::DurationMs() const {
    const long long per_second = static_cast<long long>(sample_rate) * BytesPerFrame();
    if (per_second <= 0) return 0;
    return (static_cast<long long>(data_size) * 1000 + per_second - 1) / per_second;
}

std::optional<WaveImage> ParseWaveImage(const Bytes& image) {
    if (!IdAt(image, 0, "RIFF") || !IdAt(image, 8, "WAVE")) return std::nullopt;
    WaveImage wave;
    bool have_format = false;
    std::size_t at = kRiffHeaderSize;
    while (at + kChunkHeaderSize <= image.size()) {
        const std::size_t size = Read32(image, at + 4);
        const std::size_t body = at + kChunkHeaderSize;
        if (IdAt(image, at, "fmt ")) {
            if (size < kPcmFormatSize || body + kPcmFormatSize > image.size()) return std::nullopt;
            const std::uint16_t tag = Read16(image, body);
            if (tag != kFormatPcm && tag != kFormatFloat) return std::nullopt;
            wave.encoding = tag == kFormatPcm ? WaveImage::Encoding::Pcm : WaveImage::Encoding::Float;
            wave.channels = Read16(image, body + 2);
            wave.sample_rate = int(Read32(image, body + 4));
            wave.bits_per_sample = Read16(image, body + 14);
            have_format = true;
        } else if (IdAt(image, at, "data")) {
            if (!have_format) return std::nullopt;
            wave.data_offset = body;
            wave.data_size = std::min(size, image.size() - body);
            break;
        }
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    const bool pcm_bits = wave.bits_per_sample == 8 || wave.bits_per_sample == 16 ||
                          wave.bits_per_sample == 32;
    const bool valid_bits = wave.encoding == WaveImage::Encoding::Pcm ? pcm_bits
                                                                      : wave.bits_per_sample == 32;
    if (!have_format || wave.data_offset == 0 || !valid_bits || wave.channels <= 0 ||
        wave.sample_rate <= 0)
        return std::nullopt;
    wave.data_size -= wave.data_size % std::size_t(wave.BytesPerFrame());
    return wave;
}

}  // namespace vz
