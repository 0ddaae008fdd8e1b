// What the tracker makes of what sources tell: one stretch while any cause of
// absence lasts, starts told late, the stretches an hour may ask about, busy.

#include <gtest/gtest.h>

#include "reminder/presence_tracker.h"

namespace vz::test {
namespace {

constexpr std::int64_t kMin = 60'000;

// Tells each cause in turn, at its minute.
void Tell(PresenceTracker& t, std::initializer_list<std::pair<Presence, std::int64_t>> at_minute) {
    for (const auto& [presence, minute] : at_minute) t.Tell(presence, minute * kMin);
}

TEST(PresenceTracker, CausesThatOverlapMakeOneStretch) {
    PresenceTracker t;
    Tell(t, {{Presence::Away, 10}, {Presence::Locked, 12}});
    t.Tell(Presence::Back, 15 * kMin);  // still locked
    EXPECT_EQ(t.LongestAwaySince(0, 16 * kMin), 6 * kMin) << "going on";
    Tell(t, {{Presence::Unlocked, 18}, {Presence::Asleep, 30}, {Presence::Awake, 35}});
    EXPECT_EQ(t.LongestAwaySince(0, 40 * kMin), 8 * kMin);
    EXPECT_FALSE(t.InputAway());
}

TEST(PresenceTracker, OnlyStretchesThatReachPastTheGivenTimeCount) {
    PresenceTracker t;
    Tell(t, {{Presence::Away, 0}, {Presence::Back, 20}, {Presence::Away, 50}});
    t.Tell(Presence::Back, 65 * kMin);  // across the start of the next hour
    EXPECT_EQ(t.LongestAwaySince(60 * kMin, 70 * kMin), 15 * kMin);
    EXPECT_EQ(t.LongestAwaySince(65 * kMin, 70 * kMin), 0) << "ended as the hour began";
}

TEST(PresenceTracker, AStartToldLateCountsFromWhenItBeganAndJoinsTheStretchBefore) {
    PresenceTracker t;
    Tell(t, {{Presence::Locked, 10}, {Presence::Unlocked, 20}});
    // Input had stopped at minute 19, seen only now: the lock's stretch goes on.
    t.Tell(Presence::Away, 19 * kMin);
    EXPECT_EQ(t.LongestAwaySince(0, 25 * kMin), 15 * kMin);
    EXPECT_TRUE(t.InputAway());
    t.Tell(Presence::Away, 5 * kMin);  // told again, earlier: the earliest stands
    EXPECT_EQ(t.LongestAwaySince(0, 25 * kMin), 20 * kMin);
}

TEST(PresenceTracker, AnEndWithoutItsStartAndAStartTwiceChangeNothing) {
    PresenceTracker t;
    Tell(t, {{Presence::Back, 1}, {Presence::Awake, 1}});
    EXPECT_EQ(t.LongestAwaySince(0, 2 * kMin), 0);
    Tell(t, {{Presence::Locked, 2}, {Presence::Locked, 3}, {Presence::Unlocked, 4}});
    EXPECT_EQ(t.LongestAwaySince(0, 10 * kMin), 2 * kMin);
}

TEST(PresenceTracker, BusyEndingIsTold) {
    PresenceTracker t;
    int ends = 0;
    t.on_busy_off = [&] { ++ends; };
    t.Tell(Presence::BusyOff, 0);
    EXPECT_EQ(ends, 0) << "not busy before";
    t.Tell(Presence::BusyOn, 0);
    t.Tell(Presence::BusyOn, 1);
    EXPECT_TRUE(t.Busy());
    t.Tell(Presence::BusyOff, 2);
    EXPECT_FALSE(t.Busy());
    EXPECT_EQ(ends, 1);
}

class CountingSource : public PresenceSource {
public:
    void Start(PresenceSink& sink) override { sink_ = &sink, ++starts; }
    void Refresh() override { sink_->Tell(Presence::BusyOn, 7); }
    std::vector<std::string> Describe() const override { return {"counting: here"}; }
    PresenceSink* sink_ = nullptr;
    int starts = 0;
};

TEST(PresenceTracker, SourcesStartOnceAndRefreshTellsWhatTheyRead) {
    PresenceTracker t;
    auto owned = std::make_unique<CountingSource>();
    CountingSource& source = *owned;
    t.AddSource(std::move(owned));
    t.StartSources();
    t.StartSources();
    EXPECT_EQ(source.starts, 1);
    t.Refresh();
    EXPECT_TRUE(t.Busy());
}

}  // namespace
}  // namespace vz::test
