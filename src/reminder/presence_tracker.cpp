#include "reminder/presence_tracker.h"

#include <algorithm>
#include <utility>

namespace vz {

namespace {
// Ended stretches kept for the hour's question; only the last hour's matter.
constexpr std::size_t kKeptStretches = 256;
}  // namespace

void PresenceTracker::AddSource(std::unique_ptr<PresenceSource> source) {
    sources_.push_back(std::move(source));
    if (started_) sources_.back()->Start(*this);
}

void PresenceTracker::StartSources() {
    if (started_) return;
    started_ = true;
    for (auto& source : sources_) source->Start(*this);
}

void PresenceTracker::Refresh() {
    for (auto& source : sources_) source->Refresh();
}

void PresenceTracker::Tell(Presence what, std::int64_t at) {
    switch (what) {
        case Presence::Away: return Begin(kInput, at);
        case Presence::Back: return End(kInput, at);
        case Presence::Locked: return Begin(kLock, at);
        case Presence::Unlocked: return End(kLock, at);
        case Presence::Asleep: return Begin(kSleep, at);
        case Presence::Awake: return End(kSleep, at);
        case Presence::BusyOn: busy_ = true; return;
        case Presence::BusyOff: {
            const bool was = std::exchange(busy_, false);
            if (was && on_busy_off) on_busy_off();
            return;
        }
    }
}

void PresenceTracker::Begin(Cause cause, std::int64_t at) {
    // A source may tell again, or late: the earliest start stands.
    since_[cause] = std::min(since_[cause].value_or(at), at);
    if (stretch_start_) {
        stretch_start_ = std::min(*stretch_start_, at);
        return;
    }
    // Absence told to have begun before the last stretch ended goes on with it.
    std::int64_t start = at;
    if (!done_.empty() && done_.back().end >= start) {
        start = std::min(start, done_.back().start);
        done_.pop_back();
    }
    stretch_start_ = start;
}

void PresenceTracker::End(Cause cause, std::int64_t at) {
    if (!since_[cause]) return;
    since_[cause].reset();
    for (const auto& other : since_)
        if (other) return;  // still away for another cause
    done_.push_back({*stretch_start_, std::max(at, *stretch_start_)});
    stretch_start_.reset();
    if (done_.size() > kKeptStretches) done_.erase(done_.begin());
}

std::int64_t PresenceTracker::LongestAwaySince(std::int64_t since, std::int64_t now) {
    // What ended by `since` will not be asked about again.
    done_.erase(std::remove_if(done_.begin(), done_.end(),
                               [&](const Stretch& s) { return s.end <= since; }),
                done_.end());
    std::int64_t longest = 0;
    for (const Stretch& s : done_) longest = std::max(longest, s.end - s.start);
    if (stretch_start_ && now > since) longest = std::max(longest, now - *stretch_start_);
    return longest;
}

}  // namespace vz
