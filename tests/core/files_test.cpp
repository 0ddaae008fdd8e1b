// The usage and settings files on a real disk, byte for byte, including the
// contents that the program never writes itself.

#include <gtest/gtest.h>

#include "harness.h"
#include "platform/text.h"

namespace vz::test {
namespace {

TEST(UsageFile, CreditsAddToWhatTheFileHolds) {
    struct Case {
        Bytes before;
        Integer half_hour;
        Bytes after;  // after one end of the hour
    } cases[] = {
        {{0x05, 0x00}, 5, {0x07, 0x00}},
        {{0xFF, 0xFF}, -1, {0x01, 0x00}},  // read as signed
        {{0x00, 0x80}, -32768, {0x02, 0x80}},
        {{0xFD, 0x7F}, 32765, {0xFF, 0x7F}},  // reaches the limit exactly
        {{0x05, 0x00, 0xAA, 0xBB, 0xCC}, 5, {0x07, 0x00, 0xAA, 0xBB, 0xCC}},  // tail kept
        {{0x09}, 9, {0x0B, 0x00}},  // a single byte counts as the low byte
    };
    for (const Case& c : cases) {
        SimRun run;
        run.Write("ZURivIdid.tim", c.before);
        run.Do("start");
        EXPECT_EQ(run.splash().HalfHour, c.half_hour);
        EXPECT_EQ(run.Read("ZURivIdid.tim"), c.before) << "reading never changes the file";
        run.Do("wait 60m");
        EXPECT_EQ(run.Read("ZURivIdid.tim"), c.after);
        EXPECT_EQ(run.splash().HalfHour, Integer(c.half_hour + 2));
    }
}

TEST(UsageFile, AtItsLimitTheCreditIsRefusedAndTheHourGoesOn) {
    SimRun run;
    run.Write("ZURivIdid.tim", {0xFE, 0x7F});  // 32766
    run.Do("start\nwait 58m");
    const Lines end = run.Grep("wait 2m", "3600000");
    EXPECT_EQ(end.front(), "3600000 chime 101");
    EXPECT_EQ(end.back(),
              "3600000 error The usage total has reached its limit of 32767 half-hours; this "
              "time was not added.");
    EXPECT_EQ(run.Read("ZURivIdid.tim"), (Bytes{0xFE, 0x7F}));
    EXPECT_EQ(run.splash().HalfHour, 32766);
    EXPECT_EQ(run.Print("frmSplash.NotNow"), "False");
    // The next hour still reminds, and a credit of one still fits at exit.
    EXPECT_EQ(run.Grep("wait 58m", "chime"), Lines{"7080000 chime 101"});
    run.Do("wait 10m\nstop");  // minute 8 of the next hour: one half-hour
    EXPECT_EQ(run.Read("ZURivIdid.tim"), (Bytes{0xFF, 0x7F}));
}

TEST(SettingsFile, PositionsGiveTheRestAndPreparatoryTimes) {
    struct Case {
        Bytes file;
        int rest, preparatory;
        const char* error;
    } cases[] = {
        {{}, 2, 10, nullptr},
        {{0x00, 0x00}, 2, 10, nullptr},
        {{0x05, 0x04}, 10, 60, nullptr},
        {{0x02, 0x01}, 4, 30, nullptr},
        {{0x05, 0x05}, 12, 60, nullptr},  // beyond the list, still a Byte: used as it is
        {{0x18, 0x7E}, 254, 250, nullptr},  // the largest values that fit
        {{0x19, 0x00}, 2, 10, "preparatory"},  // 260 s does not fit: the default
        {{0x00, 0x7F}, 2, 10, "rest"},  // 256 min does not fit: the default
        {{0xFF, 0xFF}, 2, 10, "rest"},
        {{0x03}, 2, 40, nullptr},
        {{0x01, 0x02, 0x33}, 6, 20, nullptr},
    };
    for (const Case& c : cases) {
        SimRun run;
        if (!c.file.empty()) run.Write("SettingT.tim", c.file);
        const Lines start = run.Do("start");
        EXPECT_EQ(run.splash().RestTim, c.rest) << HexBytes(c.file);
        EXPECT_EQ(run.splash().Preparat, c.preparatory) << HexBytes(c.file);
        EXPECT_EQ(run.Read("SettingT.tim"), c.file) << "start-up never writes the settings";
        const bool reported = std::any_of(start.begin(), start.end(), [&](const std::string& l) {
            return c.error && l.find("error") != l.npos && l.find(c.error) != l.npos;
        });
        EXPECT_EQ(reported, c.error != nullptr) << HexBytes(c.file);
        EXPECT_EQ(start.back(), "0 move frmSplash.Label1 0 390 28800 390") << "start completes";
    }
}

TEST(SettingsFile, ARestOfAnHourOrMoreNeverRemindsButHoursStillEnd) {
    SimRun run;
    run.Write("SettingT.tim", {0x00, 0x1D});  // 60 minutes
    run.Do("start");
    const Lines hours = run.Do("wait 3h");
    EXPECT_EQ(std::count(hours.begin(), hours.end(), "3600000 chime 101"), 1);
    EXPECT_TRUE(std::none_of(hours.begin(), hours.end(),
                             [](const std::string& l) { return l.find("show") != l.npos; }));
    EXPECT_EQ(run.Read("ZURivIdid.tim"), (Bytes{0x06, 0x00}));
}

TEST(SettingsFile, ACountdownLongerThanTheRestEndsWithTheHour) {
    SimRun run;
    run.Write("SettingT.tim", {0x18, 0x00});  // 250 s of countdown before a 2-minute rest
    run.Do("start\nwait 58m");
    const Lines end = run.Do("wait 2m");
    EXPECT_NE(std::find(end.begin(), end.end(), "3600000 set frmSplash.Timer2.Enabled False"),
              end.end());
    // Nothing of the countdown carries into the next hour.
    EXPECT_EQ(run.Do("wait 57m"), Lines{});
    EXPECT_EQ(run.Print("frmSplash.SecondNum"), "0");
}

}  // namespace
}  // namespace vz::test
