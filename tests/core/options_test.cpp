// The options: the file's text, the problems it may hold (each with its file
// and line), the user's, the command line's and the administrator's values
// one above the other, and the files where the system keeps them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/program.h"
#include "harness.h"
#include "options/options.h"
#include "os/option_files.h"

namespace vz::test {
namespace {

TEST(Options, EveryKeyStartsAtItsFirstValueFromNowhere) {
    const Options options;
    for (const OptionKey& key : OptionKeys()) {
        EXPECT_EQ(options.Get(key.name), key.values.front());
        EXPECT_EQ(options.Origin(key.name), OptionOrigin::Default);
    }
    EXPECT_THROW(options.Get("no-such-key"), std::out_of_range);
}

// One file's text or one --set (for the command line), read in turn.
struct Step {
    OptionOrigin origin;
    std::string text;
    std::string where = "u.conf";
};
constexpr OptionOrigin kUser = OptionOrigin::UserFile, kSet = OptionOrigin::CommandLine,
                       kAdmin = OptionOrigin::MachineWide;
const std::string kEtc = "/etc/xdg/verezerud/verezerud.conf";
const std::string kAwayOff = "away-counts-as-rest = off (default; off or on)";
const std::string kHoldOff = "hold-while-busy = off (default; off or on)";
const std::string kMotion = "motion = blink (default; blink, still or desktop)";

struct Reading {
    const char* name;
    std::vector<Step> steps;
    Lines problems;
    Lines described;  // each value and where it came from
};

void PrintTo(const Reading& reading, std::ostream* out) { *out << reading.name; }

class Reads : public ::testing::TestWithParam<Reading> {};

TEST_P(Reads, InTurn) {
    Options options;
    for (const Step& step : GetParam().steps)
        step.origin == kSet ? void(options.SetFromCommandLine(step.text))
                            : options.ReadText(step.text, step.where, step.origin);
    EXPECT_EQ(options.Problems(), GetParam().problems);
    Lines described = GetParam().described;
    described.push_back(kMotion);  // no row here touches it
    EXPECT_EQ(options.Describe(), described);
}

INSTANTIATE_TEST_SUITE_P(Options, Reads, ::testing::Values(
    Reading{"CommentsBlanksAndSpacesAreNoProblem",
            {{kUser,
              "# my options\n\n   \t\n  away-counts-as-rest=on   # after lunch too\n"
              "hold-while-busy\t =\t on\r\n#hold-while-busy = off\n"}},
            {},
            {"away-counts-as-rest = on (u.conf:4)", "hold-while-busy = on (u.conf:5)"}},
    Reading{"ALaterLineOfTheSameFileWinsAndCapitalsAreNoMistake",
            {{kUser, "hold-while-busy = on\nHold-While-Busy = OFF\n"}},
            {},
            {kAwayOff, "hold-while-busy = off (u.conf:2)"}},
    Reading{"AnUnknownKeyIsReportedWithItsFileAndLineAndTheRestIsRead",
            {{kUser, "away-counts-as-rest = on\nmotoin = still\n", "/home/u/verezerud.conf"}},
            {"/home/u/verezerud.conf:2: unknown option 'motoin'; ignored"},
            {"away-counts-as-rest = on (/home/u/verezerud.conf:1)", kHoldOff}},
    Reading{"ABadValueIsReportedWithItsFileAndLineAndTheDefaultStays",
            {{kUser, "\nhold-while-busy = yes\n"}},
            {"u.conf:2: bad value 'yes' for hold-while-busy (off or on); using off"},
            {kAwayOff, kHoldOff}},
    Reading{"ALineWithoutKeyAndValueIsReported",
            {{kUser, "away-counts-as-rest on\n= on\n"}},
            {"u.conf:1: not 'key = value': away-counts-as-rest on; ignored",
             "u.conf:2: not 'key = value': = on; ignored"},
            {kAwayOff, kHoldOff}},
    // A value for one run is no mistake of the file.
    Reading{"SetOnTheCommandLineOutranksTheUsersFileReadAfterIt",
            {{kSet, "hold-while-busy=on"}, {kUser, "hold-while-busy = off\naway-counts-as-rest = on\n"}},
            {},
            {"away-counts-as-rest = on (u.conf:2)", "hold-while-busy = on (--set)"}},
    Reading{"ABadSetIsReportedAndTheRunGoesOn",
            {{kSet, "hold-while-busy"}, {kSet, "hold-while-busy=maybe"}, {kSet, "loud=on"}},
            {"--set hold-while-busy: not KEY=VALUE; ignored",
             "--set: bad value 'maybe' for hold-while-busy (off or on); using off",
             "--set: unknown option 'loud'; ignored"},
            {kAwayOff, kHoldOff}},
    // The same value again is no news.
    Reading{"TheMachineWideValueIsLockedAgainstTheUserAndTheCommandLine",
            {{kAdmin, "away-counts-as-rest = on\n", kEtc}, {kUser, "away-counts-as-rest = off\n"},
             {kSet, "away-counts-as-rest=off"}, {kSet, "away-counts-as-rest=on"}},
            {"u.conf:1: away-counts-as-rest is set to on by " + kEtc + ":1; off ignored",
             "--set: away-counts-as-rest is set to on by " + kEtc + ":1; off ignored"},
            {"away-counts-as-rest = on (locked by " + kEtc + ":1)", kHoldOff}},
    Reading{"AMachineWideBadValueLocksNothing",
            {{kAdmin, "hold-while-busy = sometimes\n", kEtc}, {kSet, "hold-while-busy=on"}},
            {kEtc + ":1: bad value 'sometimes' for hold-while-busy (off or on); using off"},
            {kAwayOff, "hold-while-busy = on (--set)"}}),
    [](const auto& info) { return std::string(info.param.name); });

class DescribedSource : public PresenceSource {
public:
    void Start(PresenceSink&) override {}
    std::vector<std::string> Describe() const override {
        return {"idle: the X server's IDLETIME counter", "lock: no logind here"};
    }
};

TEST(Options, TheReportSaysEachValueAndWhatEachPresenceSourceSays) {
    Options options;
    options.ReadText("hold-while-busy = on\n", "u.conf", OptionOrigin::UserFile);
    std::vector<std::unique_ptr<PresenceSource>> sources;
    EXPECT_EQ(OptionsReport(options, sources).back(), "presence sources: none");
    sources.push_back(std::make_unique<DescribedSource>());
    EXPECT_EQ(OptionsReport(options, sources),
              (Lines{kAwayOff, "hold-while-busy = on (u.conf:1)", kMotion, "presence sources:",
                     "  idle: the X server's IDLETIME counter", "  lock: no logind here"}));
}

// The files where the system keeps them, found through the environment.
class OptionFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "HOME"}) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    std::filesystem::path Write(const std::string& folder, const std::string& text) {
        const auto dir = dir_.path() / folder / "verezerud";
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "verezerud.conf") << text;
        return dir / "verezerud.conf";
    }

    TempDir dir_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(OptionFiles, TheUsersFileAndTheMachineWideFilesTheFirstFolderStrongest) {
    const auto user = Write("home-config", "away-counts-as-rest = on\nhold-while-busy = on\n");
    Write("first", "hold-while-busy = off\n");
    Write("second", "hold-while-busy = on\naway-counts-as-rest = off\n");
    ::setenv("XDG_CONFIG_HOME", (dir_.path() / "home-config").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS",
             ((dir_.path() / "first").string() + ":relative/ignored:" +
              (dir_.path() / "second").string() + ":" + (dir_.path() / "missing").string())
                 .c_str(),
             1);
    Options options;
    ReadOptionFiles(options);
    EXPECT_EQ(UserOptionsFile(), user.string());
    EXPECT_FALSE(options.On("hold-while-busy"));
    EXPECT_EQ(options.Where("hold-while-busy"),
              (dir_.path() / "first/verezerud/verezerud.conf").string() + ":1");
    EXPECT_FALSE(options.On("away-counts-as-rest")) << "the administrator's off stands";
    EXPECT_EQ(options.Problems().size(), 2u) << "the user's two values refused, each said";
}

TEST_F(OptionFiles, WithoutXdgConfigHomeTheUsersFileIsInDotConfig) {
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(UserOptionsFile(), "/home/someone/.config/verezerud/verezerud.conf");
    ::setenv("XDG_CONFIG_HOME", "not/absolute", 1);
    EXPECT_EQ(UserOptionsFile(), "/home/someone/.config/verezerud/verezerud.conf");
}

TEST_F(OptionFiles, AFileThatCannotBeReadIsSaidAndNoFileIsNothing) {
    Options options;
    ReadOptionFile((dir_.path() / "none.conf").string(), OptionOrigin::UserFile, options);
    EXPECT_EQ(options.Problems(), Lines{});
    std::filesystem::create_directories(dir_.path() / "folder.conf");
    ReadOptionFile((dir_.path() / "folder.conf").string(), OptionOrigin::UserFile, options);
    ASSERT_EQ(options.Problems().size(), 1u);
    EXPECT_NE(options.Problems()[0].find("cannot read"), std::string::npos);
}

}  // namespace
}  // namespace vz::test
