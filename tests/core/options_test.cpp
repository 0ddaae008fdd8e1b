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

using Problems = std::vector<std::string>;

TEST(Options, EveryKeyStartsAtItsFirstValueFromNowhere) {
    const Options options;
    for (const OptionKey& key : OptionKeys()) {
        EXPECT_EQ(options.Get(key.name), key.values.front());
        EXPECT_EQ(options.Origin(key.name), OptionOrigin::Default);
    }
    EXPECT_FALSE(options.On("away-counts-as-rest"));
    EXPECT_FALSE(options.On("hold-while-busy"));
    EXPECT_THROW(options.Get("no-such-key"), std::out_of_range);
}

TEST(Options, CommentsBlanksAndSpacesAreNoProblem) {
    Options options;
    options.ReadText("# my options\n"
                     "\n"
                     "   \t\n"
                     "  away-counts-as-rest=on   # after lunch too\n"
                     "hold-while-busy\t =\t on\r\n"
                     "#hold-while-busy = off\n",
                     "my.conf", OptionOrigin::UserFile);
    EXPECT_EQ(options.Problems(), Problems{});
    EXPECT_TRUE(options.On("away-counts-as-rest"));
    EXPECT_TRUE(options.On("hold-while-busy"));
    EXPECT_EQ(options.Where("away-counts-as-rest"), "my.conf:4");
    EXPECT_EQ(options.Where("hold-while-busy"), "my.conf:5");
}

TEST(Options, ALaterLineOfTheSameFileWinsAndCapitalsAreNoMistake) {
    Options options;
    options.ReadText("hold-while-busy = on\nHold-While-Busy = OFF\n", "f", OptionOrigin::UserFile);
    EXPECT_EQ(options.Get("hold-while-busy"), "off");
    EXPECT_EQ(options.Where("hold-while-busy"), "f:2");
}

TEST(Options, AnUnknownKeyIsReportedWithItsFileAndLineAndTheRestIsRead) {
    Options options;
    options.ReadText("away-counts-as-rest = on\nmotoin = still\n", "/home/u/verezerud.conf",
                     OptionOrigin::UserFile);
    EXPECT_EQ(options.Problems(),
              Problems{"/home/u/verezerud.conf:2: unknown option 'motoin'; ignored"});
    EXPECT_TRUE(options.On("away-counts-as-rest"));
}

TEST(Options, ABadValueIsReportedWithItsFileAndLineAndTheDefaultStays) {
    Options options;
    options.ReadText("\nhold-while-busy = yes\n", "u.conf", OptionOrigin::UserFile);
    EXPECT_EQ(options.Problems(),
              Problems{"u.conf:2: bad value 'yes' for hold-while-busy (off or on); using off"});
    EXPECT_EQ(options.Get("hold-while-busy"), "off");
    EXPECT_EQ(options.Origin("hold-while-busy"), OptionOrigin::Default);
}

TEST(Options, ALineWithoutKeyAndValueIsReported) {
    Options options;
    options.ReadText("away-counts-as-rest on\n= on\n", "u.conf", OptionOrigin::UserFile);
    EXPECT_EQ(options.Problems(),
              (Problems{"u.conf:1: not 'key = value': away-counts-as-rest on; ignored",
                        "u.conf:2: not 'key = value': = on; ignored"}));
    EXPECT_FALSE(options.On("away-counts-as-rest"));
}

TEST(Options, SetOnTheCommandLineOutranksTheUsersFileWhicheverIsReadFirst) {
    Options options;
    EXPECT_TRUE(options.SetFromCommandLine("hold-while-busy=on"));
    options.ReadText("hold-while-busy = off\naway-counts-as-rest = on\n", "u.conf",
                     OptionOrigin::UserFile);
    EXPECT_TRUE(options.On("hold-while-busy"));
    EXPECT_EQ(options.Origin("hold-while-busy"), OptionOrigin::CommandLine);
    EXPECT_TRUE(options.On("away-counts-as-rest"));
    EXPECT_EQ(options.Problems(), Problems{}) << "a value for one run is no mistake of the file";
}

TEST(Options, ABadSetIsReportedAndTheRunGoesOn) {
    Options options;
    EXPECT_FALSE(options.SetFromCommandLine("hold-while-busy"));
    EXPECT_FALSE(options.SetFromCommandLine("hold-while-busy=maybe"));
    EXPECT_FALSE(options.SetFromCommandLine("loud=on"));
    EXPECT_EQ(options.Problems(),
              (Problems{"--set hold-while-busy: not KEY=VALUE; ignored",
                        "--set: bad value 'maybe' for hold-while-busy (off or on); using off",
                        "--set: unknown option 'loud'; ignored"}));
}

TEST(Options, TheMachineWideValueIsLockedAgainstTheUserAndTheCommandLine) {
    Options options;
    options.ReadText("away-counts-as-rest = on\n", "/etc/xdg/verezerud/verezerud.conf",
                     OptionOrigin::MachineWide);
    options.ReadText("away-counts-as-rest = off\n", "u.conf", OptionOrigin::UserFile);
    EXPECT_FALSE(options.SetFromCommandLine("away-counts-as-rest=off"));
    EXPECT_FALSE(options.SetFromCommandLine("away-counts-as-rest=on"));  // the same: no news
    EXPECT_TRUE(options.On("away-counts-as-rest"));
    EXPECT_EQ(options.Origin("away-counts-as-rest"), OptionOrigin::MachineWide);
    EXPECT_EQ(options.Problems(),
              (Problems{"u.conf:1: away-counts-as-rest is set to on by "
                        "/etc/xdg/verezerud/verezerud.conf:1; off ignored",
                        "--set: away-counts-as-rest is set to on by "
                        "/etc/xdg/verezerud/verezerud.conf:1; off ignored"}));
    EXPECT_EQ(options.Describe().front(),
              "away-counts-as-rest = on (locked by /etc/xdg/verezerud/verezerud.conf:1)");
}

TEST(Options, AMachineWideBadValueLocksNothing) {
    Options options;
    options.ReadText("hold-while-busy = sometimes\n", "/etc/xdg/verezerud/verezerud.conf",
                     OptionOrigin::MachineWide);
    EXPECT_TRUE(options.SetFromCommandLine("hold-while-busy=on"));
    EXPECT_EQ(options.Problems().size(), 1u);
}

TEST(Options, TheReportSaysEachValueAndWhereItCameFrom) {
    Options options;
    options.ReadText("hold-while-busy = on\n", "u.conf", OptionOrigin::UserFile);
    EXPECT_EQ(OptionsReport(options, {}),
              (std::vector<std::string>{"away-counts-as-rest = off (default; off or on)",
                                        "hold-while-busy = on (u.conf:1)",
                                        "motion = blink (default; blink, still or desktop)",
                                        "presence sources: none"}));
}

class DescribedSource : public PresenceSource {
public:
    void Start(PresenceSink&) override {}
    std::vector<std::string> Describe() const override {
        return {"idle: the X server's IDLETIME counter", "lock: no logind here"};
    }
};

TEST(Options, TheReportListsWhatEachPresenceSourceSays) {
    std::vector<std::unique_ptr<PresenceSource>> sources;
    sources.push_back(std::make_unique<DescribedSource>());
    const std::vector<std::string> lines = OptionsReport(Options(), sources);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"presence sources:",
                                        "  idle: the X server's IDLETIME counter",
                                        "  lock: no logind here"}));
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
    EXPECT_EQ(options.Problems(), Problems{});
    std::filesystem::create_directories(dir_.path() / "folder.conf");
    ReadOptionFile((dir_.path() / "folder.conf").string(), OptionOrigin::UserFile, options);
    ASSERT_EQ(options.Problems().size(), 1u);
    EXPECT_NE(options.Problems()[0].find("cannot read"), std::string::npos);
}

}  // namespace
}  // namespace vz::test
