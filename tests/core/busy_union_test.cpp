// Busy as one state: on when the first source turns busy, off when the last
// one stops, with a source's repeats counted once and the rest passed on.

#include <gtest/gtest.h>

#include <memory>

#include "frontend/busy_union.h"
#include "recording_sink.h"

namespace vz::test {
namespace {

// A source the test speaks for.
struct ScriptedSource : PresenceSource {
    explicit ScriptedSource(std::string line) : line(std::move(line)) {}
    void Start(PresenceSink& s) override { sink = &s; }
    void Refresh() override { ++refreshed; }
    void AwayAfter(std::int64_t idle_ms) override { away_after = idle_ms; }
    std::vector<std::string> Describe() const override { return {line}; }
    void Say(Presence what, std::int64_t at_ms) { sink->Tell(what, at_ms); }

    std::string line;
    PresenceSink* sink = nullptr;
    int refreshed = 0;
    std::int64_t away_after = 0;
};

struct Union {
    Union() {
        std::vector<std::unique_ptr<PresenceSource>> members;
        members.push_back(std::unique_ptr<PresenceSource>(a = new ScriptedSource("full screen: here")));
        members.push_back(std::unique_ptr<PresenceSource>(b = new ScriptedSource("microphone: here")));
        busy = std::make_unique<BusyUnion>(std::move(members));
        busy->Start(sink);
    }
    RecordingSink sink;
    ScriptedSource* a;
    ScriptedSource* b;
    std::unique_ptr<BusyUnion> busy;
};

TEST(BusyUnion, OnWithTheFirstOffWithTheLastEachSourceCountedOnceHoweverOftenItSaysSo) {
    Union u;
    u.a->Say(Presence::BusyOn, 100);
    u.a->Say(Presence::BusyOn, 150);
    u.b->Say(Presence::BusyOn, 200);
    u.a->Say(Presence::BusyOff, 300);
    EXPECT_TRUE(u.busy->Busy());
    u.b->Say(Presence::BusyOff, 400);
    u.b->Say(Presence::BusyOff, 450);  // no longer busy
    u.b->Say(Presence::BusyOn, 500);
    EXPECT_EQ(u.sink.Heard(), "busy@100 free@400 busy@500");
    EXPECT_TRUE(u.busy->Busy());
}

TEST(BusyUnion, PassesTheRestOnAndReachesEverySource) {
    Union u;
    u.a->Say(Presence::Away, 50);
    u.busy->Refresh();
    u.busy->AwayAfter(300000);
    EXPECT_EQ(u.sink.Heard(), "away@50");
    EXPECT_EQ(u.a->refreshed + u.b->refreshed, 2);
    EXPECT_EQ(u.b->away_after, 300000);
    EXPECT_EQ(u.busy->Describe(), (std::vector<std::string>{"full screen: here", "microphone: here"}));
}

}  // namespace
}  // namespace vz::test
