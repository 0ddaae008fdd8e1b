// The forms model: timers in virtual time, Load/Unload, Move, placement,
// checked arithmetic, number texts.

#include <gtest/gtest.h>

#include "harness.h"
#include "platform/checked.h"
#include "platform/controls.h"
#include "platform/errors.h"
#include "platform/placement.h"
#include "platform/real_disk.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/timer.h"
#include "platform/virtual_scheduler.h"

namespace vz {
namespace {

class NoResources : public Resources {
public:
    std::optional<Bytes> Find(const std::string&, int) const override { return std::nullopt; }
};

// A window with one timer that records its ticks.
class Ticker : public Form {
public:
    Ticker(Runtime& rt, std::vector<std::string>& log, int interval, bool enabled)
        : Form(rt, "frmTick"), Timer1(*this, "Timer1", interval, enabled), log_(log) {
        Timer1.on_tick = [this] { log_.push_back("tick " + std::to_string(runtime().scheduler().NowMs())); };
    }
    void Form_Load() override { log_.push_back("Form_Load"); }
    void Form_Unload(int&) override { log_.push_back("Form_Unload"); }
    Timer Timer1;

private:
    std::vector<std::string>& log_;
};

struct Model {
    VirtualScheduler clock;
    test::TempDir dir;
    RealDisk disk{dir.path().string()};
    SilentPlayer sound;
    NoResources resources;
    Runtime rt{Services{clock, disk, sound, resources, Screen{}}};
    std::vector<std::string> log;

    Model(int interval = 1000, bool enabled = true) {
        rt.Register("frmTick", [this, interval, enabled](Runtime& r) {
            return std::make_unique<Ticker>(r, log, interval, enabled);
        });
    }
    Ticker& tick() { return rt.Ref<Ticker>("frmTick"); }
};

TEST(Timers, FirstTickOneIntervalAfterEnablingThenEveryIntervalWhileLoaded) {
    Model m(1000, true);
    m.clock.Advance(500);
    m.rt.Load("frmTick");  // design-enabled: starts with the load, hidden as it is
    m.clock.Advance(3000);
    EXPECT_EQ(m.log, (test::Lines{"Form_Load", "tick 1500", "tick 2500", "tick 3500"}));

    m.log.clear();
    m.tick().Timer1.SetEnabled(true);  // already running: not restarted
    m.clock.Advance(1000);
    EXPECT_EQ(m.log, (test::Lines{"tick 4500"}));

    m.log.clear();
    m.tick().Timer1.SetEnabled(false);
    m.clock.Advance(300);
    m.tick().Timer1.SetEnabled(true);  // restarts from now
    m.clock.Advance(1300);
    EXPECT_EQ(m.log, (test::Lines{"tick 5800"}));

    m.log.clear();
    m.rt.Unload("frmTick");
    m.rt.Unload("frmTick");  // not loaded: nothing
    m.clock.Advance(5000);
    EXPECT_EQ(m.log, (test::Lines{"Form_Unload"}));
    EXPECT_EQ(m.clock.ActiveTimers(), 0u);

    m.log.clear();
    m.rt.Ref("frmTick");  // a reference loads it afresh
    EXPECT_EQ(m.log, (test::Lines{"Form_Load"}));
}

TEST(Timers, TicksDueTogetherFireInTheOrderTheirTimersWereEnabled) {
    VirtualScheduler clock;
    std::string order;
    clock.Start(300, [&] { order += 'a'; });
    const auto b = clock.Start(100, [&] { order += 'b'; });
    clock.Start(200, [&] { order += 'c'; });
    clock.Advance(300);
    EXPECT_EQ(order, "bbcab");  // at 200 b before c; at 300 a before b
    clock.Stop(b);
    clock.Start(100, [&] { order += 'B'; });  // restarted: now last in its ties
    order.clear();
    clock.Advance(300);
    EXPECT_EQ(order, "cBBacB");  // at 600: a, c, then the restarted B
}

TEST(Forms, MoveKeepsOmittedArgumentsAndTopmostRoundsThenTruncates) {
    Model m;
    Ticker& f = m.tick();
    f.Move(100, 200, 4800, 1234);
    f.Move(-242);
    EXPECT_EQ(f.Left(), -242);
    EXPECT_EQ(f.Top(), 200);
    EXPECT_EQ(f.Width(), 4800);
    EXPECT_EQ(f.Height(), 1234);

    EXPECT_EQ(TopmostRect(0, 0, 4800, 1234, 15, 15).cx, 320);
    EXPECT_EQ(TopmostRect(0, 0, 4800, 1234, 15, 15).cy, 82);
    // 22.5 rounds to 22 (ties to even), 23.5 to 24; -242 / 15 truncates to -16.
    const PixelRect r = TopmostRect(-242, 22.5, 23.5, 29.9, 15, 15);
    EXPECT_EQ(r.x, -16);
    EXPECT_EQ(r.y, 1);
    EXPECT_EQ(r.cx, 1);
    EXPECT_EQ(r.cy, 2);
    EXPECT_EQ(TopmostRect(6750.5, 0, 0, 0, 15, 15).x, 450);  // 6750 / 15
    EXPECT_THROW(TopmostRect(1e12, 0, 0, 0, 15, 15), RuntimeError);
}

TEST(Arithmetic, ByteAndIntegerConversionsRaiseOverflowInsteadOfWrapping) {
    EXPECT_EQ(CByte(255L), 255);
    EXPECT_THROW(CByte(256L), RuntimeError);
    EXPECT_THROW(CByte(-1L), RuntimeError);
    EXPECT_EQ(CByte(6.0), 6);
    EXPECT_EQ(CByte(2.5), 2);  // ties to even
    EXPECT_THROW(CByte(255.5), RuntimeError);
    EXPECT_EQ(AddInt(32765, 2), 32767);
    EXPECT_THROW(AddInt(32766, 2), RuntimeError);
    EXPECT_EQ(AddInt(-1, 2), 1);
    EXPECT_THROW(MulInt(127 + 1, 256), RuntimeError);
    try {
        CByte(300L);
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::Overflow);
    }
}

TEST(Text, GeneralNumberAndVal) {
    EXPECT_EQ(GeneralNumber(13500), "13500");
    EXPECT_EQ(GeneralNumber(-242), "-242");
    EXPECT_EQ(GeneralNumber(6750.5), "6750.5");
    EXPECT_EQ(GeneralNumber(16384.5), "16384.5");
    EXPECT_EQ(GeneralNumber(0.5, ","), "0,5");
    EXPECT_EQ(GeneralNumber(0), "0");
    EXPECT_EQ(GeneralNumber(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(Val("  6"), 6);
    EXPECT_EQ(Val(" 10"), 10);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(" 1 0x"), 10);
    EXPECT_EQ(TraceString("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(HexBytes({0x07, 0x00, 0xff}), "07 00 FF");
}

TEST(Randomness, RndStaysInTheUnitIntervalAndRandomizeFollowsTheClock) {
    Random a, b;
    a.Randomize(5000);
    b.Randomize(5000);
    for (int i = 0; i < 10000; ++i) {
        const float x = a.Rnd();
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
        ASSERT_EQ(x, b.Rnd());
    }
    Random c;
    c.Randomize(10000);
    EXPECT_NE(a.Rnd(), c.Rnd());
}

TEST(RecordFiles, OpenCreatesEmptyNeverTruncatesAndPutKeepsTheTail) {
    test::TempDir dir;
    RealDisk disk(dir.path().string());
    disk.Open("a.tim");
    EXPECT_EQ(disk.Contents("a.tim"), Bytes{});
    EXPECT_EQ(disk.Read("a.tim", 0, 2), Bytes{});
    disk.Write("a.tim", 0, {1, 2});
    disk.Write("a.tim", 0, {9, 8});
    EXPECT_EQ(disk.Contents("a.tim"), (Bytes{9, 8}));

    disk.Write("a.tim", 2, {5, 6, 7});
    disk.Open("a.tim");
    disk.Write("a.tim", 0, {1, 1});
    EXPECT_EQ(disk.Contents("a.tim"), (Bytes{1, 1, 5, 6, 7}));
    EXPECT_EQ(disk.Contents("missing.tim"), std::nullopt);

    std::filesystem::create_directory(dir.path() / "dir.tim");
    EXPECT_THROW(disk.Open("dir.tim"), RuntimeError);
}

}  // namespace
}  // namespace vz
