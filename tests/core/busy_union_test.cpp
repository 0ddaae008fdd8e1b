// Busy as one state: on when the first source turns busy, off when the last
// one stops, with a source's repeats counted once and the rest passed on.

#include <gtest/gtest.h>

#include <memory>

#include "frontend/busy_union.h"
#include "recording_sink.h"

namespace vz::test {
namespace {

// A source the test speaks for.
class ScriptedSource : public PresenceSource {
public:
    explicit ScriptedSource(std::string line) : line_(std::move(line)) {}
    void Start(PresenceSink& sink) override { sink_ = &sink; }
    void Refresh() override { ++refreshed; }
    void AwayAfter(std::int64_t idle_ms) override { away_after = idle_ms; }
    std::vector<std::string> Describe() const override { return {line_}; }
    void Say(Presence what, std::int64_t at_ms) { sink_->Tell(what, at_ms); }

    int refreshed = 0;
    std::int64_t away_after = 0;

private:
    std::string line_;
    PresenceSink* sink_ = nullptr;
};

struct Union {
    Union() {
        std::vector<std::unique_ptr<PresenceSource>> members;
        members.push_back(std::make_unique<ScriptedSource>("full screen: here"));
        members.push_back(std::make_unique<ScriptedSource>("microphone: here"));
        a = static_cast<ScriptedSource*>(members[0].get());
        b = static_cast<ScriptedSource*>(members[1].get());
        busy = std::make_unique<BusyUnion>(std::move(members));
        busy->Start(sink);
    }
    RecordingSink sink;
    ScriptedSource* a;
    ScriptedSource* b;
    std::unique_ptr<BusyUnion> busy;
};

TEST(BusyUnion, OnWithTheFirstOffWithTheLast) {
    Union u;
    u.a->Say(Presence::BusyOn, 100);
    u.b->Say(Presence::BusyOn, 200);
    u.a->Say(Presence::BusyOff, 300);
    EXPECT_TRUE(u.busy->Busy());
    u.b->Say(Presence::BusyOff, 400);
    ASSERT_EQ(u.sink.told.size(), 2u);
    EXPECT_EQ(u.sink.Words(), (std::vector<std::string>{"busy", "free"}));
    EXPECT_EQ(u.sink.told[0].at_ms, 100);
    EXPECT_EQ(u.sink.told[1].at_ms, 400);
}

TEST(BusyUnion, ASourceRepeatingItselfCountsOnce) {
    Union u;
    u.a->Say(Presence::BusyOn, 100);
    u.a->Say(Presence::BusyOn, 150);
    u.a->Say(Presence::BusyOff, 200);
    u.b->Say(Presence::BusyOff, 260);  // never was busy
    u.b->Say(Presence::BusyOn, 300);
    EXPECT_EQ(u.sink.Words(), (std::vector<std::string>{"busy", "free", "busy"}));
    ASSERT_EQ(u.sink.told.size(), 3u);
    EXPECT_EQ(u.sink.told[1].at_ms, 200);
    EXPECT_EQ(u.sink.told[2].at_ms, 300);
    EXPECT_TRUE(u.busy->Busy());
}

TEST(BusyUnion, PassesTheRestOnAndReachesEverySource) {
    Union u;
    u.a->Say(Presence::Away, 50);
    u.busy->Refresh();
    u.busy->AwayAfter(300000);
    EXPECT_EQ(u.sink.Words(), (std::vector<std::string>{"away"}));
    EXPECT_EQ(u.a->refreshed + u.b->refreshed, 2);
    EXPECT_EQ(u.b->away_after, 300000);
    EXPECT_EQ(u.busy->Describe(), (std::vector<std::string>{"full screen: here", "microphone: here"}));
}

}  // namespace
}  // namespace vz::test
