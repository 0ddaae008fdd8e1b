#pragma once
// The program's one listener to what its presence sources tell: it turns
// away, locked and asleep into stretches of absence (one stretch while any of
// them lasts), and keeps whether the user is busy, all in scheduler time.
// The reminder asks it at the minute its banner is due. Sources tell it on
// the program's one thread, as every other event reaches the program.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/presence.h"

namespace vz {

class PresenceTracker : public PresenceSink {
public:
    void Tell(Presence what, std::int64_t at_ms) override;

    // The sources the front end runs; started once, with the program.
    void AddSource(std::unique_ptr<PresenceSource> source);
    const std::vector<std::unique_ptr<PresenceSource>>& Sources() const { return sources_; }
    void StartSources();
    // Asks every source to read again what it can only read, before a decision.
    void Refresh();

    // The longest stretch away that lasted past `since_ms`, the one still
    // going on counted up to `now_ms`; 0 if none.
    std::int64_t LongestAwaySince(std::int64_t since_ms, std::int64_t now_ms);
    bool Busy() const { return busy_; }
    // No keyboard or pointer input arrives (the other causes aside).
    bool InputAway() const { return since_[kInput].has_value(); }

    // Called when busy ends; the reminder that waits for it listens.
    std::function<void()> on_busy_off;

private:
    enum Cause { kInput, kLock, kSleep, kCauses };
    struct Stretch {
        std::int64_t start;
        std::int64_t end;
    };
    void Begin(Cause cause, std::int64_t at);
    void End(Cause cause, std::int64_t at);

    std::vector<std::unique_ptr<PresenceSource>> sources_;
    bool started_ = false;
    std::array<std::optional<std::int64_t>, kCauses> since_;
    std::optional<std::int64_t> stretch_start_;  // while any cause lasts
    std::vector<Stretch> done_;                  // ended, oldest first
    bool busy_ = false;
};

}  // namespace vz
