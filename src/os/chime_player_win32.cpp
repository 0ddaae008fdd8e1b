#include "os/chime_player.h"

#include <windows.h>
#include <mmsystem.h>

#include <chrono>

#include "chime/wave_image.h"

namespace vz {
namespace {
using Clock = std::chrono::steady_clock;
}

// The system reads the image in place while it plays, so the player keeps it
// until the next sound (which stops this one) or its own end.
struct ChimePlayer::State {
    std::shared_ptr<const Bytes> playing;
    Clock::time_point heard_until;
};

ChimePlayer::ChimePlayer(std::string) : state_(std::make_shared<State>()) {}

ChimePlayer::~ChimePlayer() {
    if (state_->playing) ::sndPlaySoundA(nullptr, 0);  // stop before the image goes
}

void ChimePlayer::PlayMemory(std::shared_ptr<const Bytes> image) {
    std::shared_ptr<const Bytes>& playing = state_->playing;
    if (playing) ::sndPlaySoundA(nullptr, 0);
    playing = std::move(image);
    if (!playing || playing->empty()) return;
    if (!::sndPlaySoundA(reinterpret_cast<LPCSTR>(playing->data()),
                         SND_MEMORY | SND_ASYNC | SND_NODEFAULT)) {
        playing.reset();
        return;
    }
    const auto wave = ParseWaveImage(*playing);
    state_->heard_until = Clock::now() + std::chrono::milliseconds(wave ? wave->DurationMs() : 0);
}

bool ChimePlayer::Playing() const {
    return state_->playing && Clock::now() < state_->heard_until;
}

}  // namespace vz
