// Where the program shows its windows: X11 where there is one (XWayland on a
// Wayland session), what the user forced, and a clear word when neither.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "qt/platform_choice.h"
#include "suites.h"

namespace vz::test {
namespace {

VZ_SUITE_OFFSCREEN("Session");

// Sets the session's variables for one test and puts the old ones back.
class Session : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* v = std::getenv(name);
            if (v) saved_[name] = v;
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const char* name : kNames) {
            unsetenv(name);
            if (saved_.count(name)) setenv(name, saved_[name].c_str(), 1);
        }
    }
    static std::string Platform() {
        const char* v = std::getenv("QT_QPA_PLATFORM");
        return v ? v : "";
    }
    static constexpr const char* kNames[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY",
                                             "XDG_SESSION_TYPE"};
    std::map<std::string, std::string> saved_;
};

TEST_F(Session, WaylandWithXWaylandRunsThroughX11) {
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    setenv("DISPLAY", ":0", 1);
    const qt::PlatformChoice choice = qt::ChoosePlatform();
    EXPECT_TRUE(choice.has_display);
    EXPECT_TRUE(choice.notice.empty());
    EXPECT_EQ(Platform(), "xcb");
}

TEST_F(Session, WaylandWithoutXWaylandSaysSo) {
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    const qt::PlatformChoice choice = qt::ChoosePlatform();
    EXPECT_NE(choice.notice.find("XWayland"), std::string::npos);
    EXPECT_EQ(Platform(), "");
}

TEST_F(Session, NoDisplayAtAll) {
    const qt::PlatformChoice choice = qt::ChoosePlatform();
    EXPECT_FALSE(choice.has_display);
    EXPECT_NE(choice.notice.find("DISPLAY is not set"), std::string::npos) << choice.notice;
    EXPECT_NE(choice.notice.find("verezerud-sim"), std::string::npos) << choice.notice;
}

TEST_F(Session, WithoutXWaylandOrQtsWaylandPluginOneLineNamesBoth) {
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    const qt::PlatformChoice choice = qt::ChoosePlatform();
    if (choice.has_display) GTEST_SKIP() << "Qt's Wayland plugin is installed here";
    EXPECT_NE(choice.notice.find("XWayland"), std::string::npos) << choice.notice;
    EXPECT_NE(choice.notice.find("qt6-wayland"), std::string::npos) << choice.notice;
    EXPECT_EQ(choice.notice.find('\n'), std::string::npos);
}

TEST_F(Session, AnXDisplayThatDoesNotAnswerIsNamed) {
    setenv("DISPLAY", ":987", 1);
    ASSERT_TRUE(qt::ChoosePlatform().has_display);
    const std::string problem = qt::DisplayProblem();
    EXPECT_NE(problem.find("\":987\""), std::string::npos) << problem;
}

TEST_F(Session, APlatformChosenByTheUserIsKept) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("DISPLAY", ":0", 1);
    EXPECT_TRUE(qt::ChoosePlatform().has_display);
    EXPECT_EQ(Platform(), "offscreen");
}

}  // namespace
}  // namespace vz::test
