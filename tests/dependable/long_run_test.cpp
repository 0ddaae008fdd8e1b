// Ten thousand hours of random use, checked against a model of the rules after
// every event: the usage file always holds the credits the hours and exits
// earned, the minute count stays within its hour, the window shows only for
// the countdown and the rest screen, one small window at most is open, no hour
// reminds twice, and nothing reports an error.

#include "long_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

namespace vz::test {
namespace {

constexpr long kHours = 10'000;
constexpr long kMostHours = 20'000;  // more would take the count past its limit
constexpr int kLargestCount = 32767;

// VEREZERUD_SEED repeats a run; without it every run takes a new seed.
std::uint64_t Seed() {
    if (const char* text = std::getenv("VEREZERUD_SEED")) return std::strtoull(text, nullptr, 10);
    std::random_device rd;
    return std::uint64_t(rd()) << 32 | rd();
}

long Hours() {
    const char* text = std::getenv("VEREZERUD_HOURS");
    const long hours = text ? std::atol(text) : kHours;
    return std::clamp(hours, 1L, kMostHours);
}

// The run is cut into eras, each a session on files of one kind: the
// settings file decides what an hour can do, and the settings window, which
// could change it, opens only from a rest screen.
enum class Era {
    ListPositions,      // what the settings window writes
    EmptyOrShort,       // a new file, or one cut to a byte
    BeyondTheLists,     // positions the lists lack, with usable values
    CountdownOutlasts,  // a countdown as long as the rest or longer: no rest screen
    NeverReminds,       // a rest of an hour or more
    Count
};

const char* EraName(Era era) {
    switch (era) {
        case Era::ListPositions:
            return "list positions";
        case Era::EmptyOrShort:
            return "an empty or one-byte settings file";
        case Era::BeyondTheLists:
            return "positions beyond the lists";
        case Era::CountdownOutlasts:
            return "a countdown that outlasts the rest";
        case Era::NeverReminds:
            return "a rest of an hour or more";
        case Era::Count:
            break;
    }
    return "?";
}

// Files for an era: a count that leaves room for the era's credits, and a
// settings file of the era's kind.
StoredFiles FilesFor(Era era, Dice& dice, long hours) {
    StoredFiles files;
    files.usage = int(dice.Between(-32768, kLargestCount - 3 * hours - 64));
    auto bytes = [&](long b0, long b1) { files.settings = {std::uint8_t(b0), std::uint8_t(b1)}; };
    switch (era) {
        case Era::ListPositions:
            bytes(dice.Below(6), dice.Below(5));
            break;
        case Era::EmptyOrShort:
            if (dice.Chance(0.5)) files.settings = {std::uint8_t(dice.Below(6))};
            break;
        case Era::BeyondTheLists:
            // A rest of 12 to 58 minutes: even 250 s of countdown end in time.
            bytes(dice.Between(6, 24), dice.Between(5, 28));
            break;
        case Era::CountdownOutlasts:
            // 120 s of rest with 120 to 250 s of countdown, or 240 s with 240 or 250.
            if (dice.Chance(0.7))
                bytes(dice.Between(11, 24), 0);
            else
                bytes(dice.Between(23, 24), 1);
            break;
        case Era::NeverReminds:
            bytes(dice.Below(25), dice.Between(29, 126));
            break;
        case Era::Count:
            break;
    }
    return files;
}

struct Tallies {
    long commands = 0, hours = 0, reminders = 0, rests = 0, declines = 0, changes = 0, starts = 0,
         stops = 0;
    void Add(const UseModel& m, std::size_t lines) {
        commands += long(lines);
        hours += m.hours;
        reminders += m.reminders;
        rests += m.rests;
        declines += m.declines;
        changes += m.changes;
        starts += m.starts;
        stops += m.stops;
    }
};

// Runs one era; on a failure, reports it with the shortest script that shows it.
bool RunEra(Era era, Dice& dice, long hours, std::uint64_t seed, Tallies& tallies) {
    const StoredFiles files = FilesFor(era, dice, hours);
    RandomUser user(dice, kLargestCount - 2 * int(hours) - 4);
    Session session(files);
    RunRecord run;
    bool failed = false;
    while (!failed && session.model().hours < hours) {
        const std::string command = user.Next(session.model(), session.Now());
        run.Add(command, session.model());
        failed = !session.Run(command);
    }
    if (!failed) {
        run.Add("stop", session.model());
        failed = !session.Run("stop") || !session.CheckDisk();
    }
    tallies.Add(session.model(), run.commands.size());
    if (!failed) return true;

    const std::size_t at = run.commands.size() - 1;
    const Script shortest = Shrink(run, at);
    const Outcome outcome = Replay(shortest);
    std::string trace;
    for (const std::string& line : outcome.trace) trace += "  " + line + "\n";
    ADD_FAILURE() << "With VEREZERUD_SEED=" << seed << ", in the era of " << EraName(era)
                  << ", command " << at + 1 << " (" << run.commands[at] << ") broke a rule "
                  << session.failure() << "\nThe shortest script found that shows it ("
                  << shortest.lines.size() << " lines) fails " << outcome.message << ":\n"
                  << Describe(shortest) << "Its trace ends:\n"
                  << trace;
    return false;
}

TEST(LongRun, TenThousandHoursOfRandomUseKeepEveryRule) {
    const std::uint64_t seed = Seed();
    const long hours = Hours();
    std::cout << "[   SEED   ] VEREZERUD_SEED=" << seed << "\n";
    RecordProperty("seed", std::to_string(seed));
    const auto began = std::chrono::steady_clock::now();

    Dice dice(seed);
    Tallies t;
    const int eras = int(Era::Count);
    for (int e = 0; e < eras; ++e) {
        const long era_hours = hours / eras + (e < hours % eras ? 1 : 0);
        if (era_hours > 0 && !RunEra(Era(e), dice, era_hours, seed, t)) return;
    }

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::cout << "[   RUN    ] " << t.commands << " commands, " << t.hours << " hours, "
              << t.reminders << " reminders, " << t.rests << " rest screens, " << t.declines
              << " declines, " << t.changes << " settings changes, " << t.starts << " starts, "
              << t.stops << " stops, in " << seconds << " s\n";
    EXPECT_GE(t.hours, hours);
    if (hours >= 100) {  // long enough to have done a bit of everything
        EXPECT_GE(t.reminders, hours / 2);
        EXPECT_GT(t.rests, hours / 4);
        EXPECT_GT(t.declines, 0);
        EXPECT_GT(t.changes, 0);
        EXPECT_GT(t.stops, long(Era::Count));
    }
}

// A failure comes out as a short script the simulator can replay: the tail
// of the run that still fails, its waits run together, without the lines it
// does not need.
TEST(LongRun, AFailureIsShownByAShortReplayableScript) {
    // A count the end of the hour cannot add to: its error line breaks a rule.
    const StoredFiles files{32766, {}};
    const std::vector<std::string> lines = {"start",    "wait 10m", "wait 3m", "hover frmSplash",
                                            "wait 40m", "wait 7m",  "wait 1m"};
    Session session(files);
    RunRecord run;
    for (const std::string& line : lines) {
        run.Add(line, session.model());
        if (!session.Run(line)) break;
    }
    ASSERT_EQ(run.commands.size(), 6u) << "the sixth line reaches the end of the hour";
    EXPECT_NE(session.failure().find("an error line"), std::string::npos) << session.failure();

    const Script shortest = Shrink(run, run.commands.size() - 1);
    EXPECT_EQ(Describe(shortest),
              "# In the data folder first:\n"
              "# printf '\\xfe\\x7f' > ZURivIdid.tim\n"
              "# printf '' > SettingT.tim\n"
              "start\n"
              "wait 1h\n");
    EXPECT_TRUE(Replay(shortest).failed);
}

}  // namespace
}  // namespace vz::test
