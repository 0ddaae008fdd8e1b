#pragma once
// The layout of a RIFF WAVE image held in memory: its sample format and where
// its samples lie. The player reads the format from here and plays the
// samples in place, without copying the image.

#include <cstddef>
#include <optional>

#include "platform/sound.h"

namespace vz {

struct WaveImage {
    enum class Encoding { Pcm, Float };
    Encoding encoding = Encoding::Pcm;
    int channels = 0;
    int sample_rate = 0;
    int bits_per_sample = 0;
    std::size_t data_offset = 0;  // first sample byte within the image
    std::size_t data_size = 0;    // sample bytes, clipped to the image's end

    int BytesPerFrame() const { return channels * (bits_per_sample / 8); }
    // The playing time of the samples in milliseconds, rounded up.
    long long DurationMs() const;
};

// Samples to play after the image's own: a fade from its last frame down to
// silence over `fade_ms`, then `silence_ms` of silence, in the image's format.
// A sound that stops away from the silent level (the chime rests a little
// below it) would otherwise end with a click.
Bytes QuietEnding(const WaveImage& wave, const Bytes& image, int fade_ms, int silence_ms);

// Reads the "fmt " and "data" chunks; nothing when the image is not a WAVE
// image this player can play (PCM of 8, 16 or 32 bits, or 32-bit float).
std::optional<WaveImage> ParseWaveImage(const Bytes& image);

}  // namespace vz
