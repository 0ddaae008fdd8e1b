#include "os/chime_player.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <iostream>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "chime/wave_image.h"
#include "os/pulse_library.h"

namespace vz {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The sound ends in a short fade to silence and a little silence after it.
constexpr int kFadeMs = 20;
constexpr int kSilenceMs = 100;
// The server is kept this far ahead of what is heard, and the worker hands it
// the sound in pieces of this length, looking between pieces whether a newer
// sound has cut this one off. A later sound starts at most this late.
constexpr int kAheadMs = 250;
constexpr int kPieceMs = 50;
// At the program's end a sound being heard may finish, for at most this long.
constexpr milliseconds kEndWaitLimit{2000};
constexpr milliseconds kEndWaitMargin{500};

}  // namespace

struct ChimePlayer::State {
    std::string server;
    std::mutex mutex;
    std::condition_variable changed;
    std::shared_ptr<const Bytes> pending;  // the next sound, waiting for the worker
    WaveImage pending_wave;
    unsigned long long generation = 0;     // grows with every sound; a sound whose
                                           // number is no longer current is cut off
    bool worker = false;                   // a worker thread runs
    bool heard = false;                    // its sound is connected and playing
    Clock::time_point heard_until;         // when that sound should be over
    bool closing = false;                  // the player is gone: no new sounds
    bool said_no_server = false;

    bool Current(unsigned long long number) {
        std::lock_guard lock(mutex);
        return number == generation;
    }
};

namespace {

bool SampleFormatOf(const WaveImage& wave, pa_sample_format_t& format) {
    if (wave.encoding == WaveImage::Encoding::Float) {
        format = PA_SAMPLE_FLOAT32LE;
        return wave.bits_per_sample == 32;
    }
    switch (wave.bits_per_sample) {
    case 8: format = PA_SAMPLE_U8; return true;
    case 16: format = PA_SAMPLE_S16LE; return true;
    case 32: format = PA_SAMPLE_S32LE; return true;
    default: return false;
    }
}

std::uint32_t BytesFor(const WaveImage& wave, int ms) {
    return std::uint32_t(std::max(1LL, (long long)wave.sample_rate * ms / 1000)) *
           std::uint32_t(wave.BytesPerFrame());
}

// Plays one sound to its end, or until a newer one cuts it off.
void PlayOne(ChimePlayer::State& state, const Bytes& image, const WaveImage& wave,
             unsigned long long number) {
    pa_sample_spec sample{};
    if (!SampleFormatOf(wave, sample.format)) return;
    sample.rate = std::uint32_t(wave.sample_rate);
    sample.channels = std::uint8_t(wave.channels);
    pa_buffer_attr buffer;
    buffer.maxlength = std::uint32_t(-1);
    buffer.tlength = BytesFor(wave, kAheadMs);
    buffer.prebuf = std::uint32_t(-1);
    buffer.minreq = std::uint32_t(-1);
    buffer.fragsize = std::uint32_t(-1);

    std::string missing;
    const PulseSimple* pulse = LoadPulseSimple(missing);
    if (!pulse) {
        std::lock_guard lock(state.mutex);
        if (!std::exchange(state.said_no_server, true))
            std::cerr << "verezerud: no sound library to play the chime with (" << missing
                      << "); it stays silent\n";
        return;
    }
    // libpulse gives up on a server that never answers only after about 30 s;
    // this is why the worker is a thread that the player may leave behind.
    int error = 0;
    pa_simple* stream = pulse->new_stream(state.server.empty() ? nullptr : state.server.c_str(),
                                          "Verezerud", PA_STREAM_PLAYBACK, nullptr, "Chime",
                                          &sample, nullptr, &buffer, &error);
    if (!stream) {
        std::lock_guard lock(state.mutex);
        if (!std::exchange(state.said_no_server, true))
            std::cerr << "verezerud: no sound server to play the chime on ("
                      << pulse->strerror(error) << "); it stays silent\n";
        return;
    }
    {
        std::lock_guard lock(state.mutex);
        if (number == state.generation) {
            state.heard = true;
            state.heard_until =
                Clock::now() + milliseconds(wave.DurationMs() + kFadeMs + kSilenceMs + kAheadMs);
        }
    }
    const Bytes ending = QuietEnding(wave, image, kFadeMs, kSilenceMs);
    const std::size_t piece = BytesFor(wave, kPieceMs);
    bool whole = true;
    for (const auto& [data, size] : {std::pair{image.data() + wave.data_offset, wave.data_size},
                                     std::pair{ending.data(), ending.size()}}) {
        for (std::size_t at = 0; whole && at < size; at += piece) {
            whole = state.Current(number) &&
                    pulse->write(stream, data + at, std::min(piece, size - at), &error) == 0;
        }
    }
    if (whole)
        pulse->drain(stream, &error);  // until the last of it has been heard
    else
        pulse->flush(stream, &error);
    pulse->free_stream(stream);
}

// The worker: plays the waiting sound, then any that came meanwhile, and ends.
void Work(std::shared_ptr<ChimePlayer::State> state) {
    std::unique_lock lock(state->mutex);
    while (state->pending && !state->closing) {
        std::shared_ptr<const Bytes> image = std::move(state->pending);
        state->pending.reset();
        const WaveImage wave = state->pending_wave;
        const unsigned long long number = state->generation;
        lock.unlock();
        PlayOne(*state, *image, wave, number);
        image.reset();
        lock.lock();
        state->heard = false;
    }
    state->worker = false;
    state->changed.notify_all();
}

}  // namespace

ChimePlayer::ChimePlayer(std::string server) : state_(std::make_shared<State>()) {
    state_->server = std::move(server);
}

ChimePlayer::~ChimePlayer() {
    std::unique_lock lock(state_->mutex);
    state_->closing = true;
    state_->pending.reset();
    if (state_->worker && state_->heard) {
        const auto limit =
            std::min(state_->heard_until + kEndWaitMargin, Clock::now() + kEndWaitLimit);
        state_->changed.wait_until(lock, limit, [&] { return !state_->worker; });
    }
    ++state_->generation;  // whatever is left is cut off and ends by itself
}

void ChimePlayer::PlayMemory(std::shared_ptr<const Bytes> image) {
    if (!image) return;
    const auto wave = ParseWaveImage(*image);
    pa_sample_format_t format;
    if (!wave || wave->data_size == 0 || !SampleFormatOf(*wave, format)) return;

    std::lock_guard lock(state_->mutex);
    if (state_->closing) return;
    ++state_->generation;  // the sound under way, if any, is cut off
    state_->pending = std::move(image);
    state_->pending_wave = *wave;
    if (state_->worker) return;  // it plays this one next
    try {
        std::thread(Work, state_).detach();
        state_->worker = true;
    } catch (const std::system_error&) {
        state_->pending.reset();  // no thread, no sound
    }
}

bool ChimePlayer::Playing() const {
    std::lock_guard lock(state_->mutex);
    return state_->worker;
}

}  // namespace vz
