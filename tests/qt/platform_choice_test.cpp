// Where the program shows its windows: X11 where there is one (XWayland on a
// Wayland session), what the user forced, Qt's Wayland plugin where it is
// installed and nothing else is there, and a clear word when neither. Every
// session is made up here, its plugin folder too: the outcome never depends
// on what this machine has installed.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <string>

#include "gui_run.h"
#include "qt/platform_choice.h"
#include "suites.h"

namespace vz::test {
namespace {

VZ_SUITE_OFFSCREEN("Session");

// A plugin folder with Qt's Wayland platform plugin in it, or without.
QString PluginFolder(bool wayland) {
    const QString folder = FreshDir(wayland ? "with-wayland" : "without-wayland");
    QDir().mkpath(folder + "/platforms");
    QFile(folder + "/platforms/libqxcb.so").open(QIODevice::WriteOnly);
    if (wayland) QFile(folder + "/platforms/libqwayland-generic.so").open(QIODevice::WriteOnly);
    return folder;
}

TEST(Session, EachSessionGetsItsDisplayOrOneLineSayingWhatIsMissing) {
    const struct {
        const char *qpa, *display, *wayland, *type;
        bool plugin;
        bool has_display;
        const char* platform;
        const char* notice;  // a part of the notice; "" for none
    } rows[] = {
        {"", ":0", "", "x11", false, true, "xcb", ""},
        {"", ":0", "wayland-0", "wayland", false, true, "xcb", ""},  // XWayland
        {"", ":0", "wayland-0", "wayland", true, true, "xcb", ""},
        {"", "", "wayland-0", "wayland", true, true, "", "runs on Wayland itself"},
        {"", "", "wayland-0", "", true, true, "", "runs on Wayland itself"},
        {"", "", "wayland-0", "wayland", false, false, "", "qt6-wayland"},
        {"", "", "", "wayland", true, false, "", "neither DISPLAY"},
        {"", "", "", "", true, false, "", "DISPLAY is not set"},
        {"offscreen", "", "", "", false, true, "", ""},  // the user's own choice
        {"wayland", ":0", "wayland-0", "wayland", false, true, "", ""},
    };
    const QString with = PluginFolder(true), without = PluginFolder(false);
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string("QT_QPA_PLATFORM=") + r.qpa + " DISPLAY=" + r.display +
                     " WAYLAND_DISPLAY=" + r.wayland + " XDG_SESSION_TYPE=" + r.type +
                     (r.plugin ? " with" : " without") + " the Wayland plugin");
        qt::Session s{r.qpa, r.display, r.wayland, r.type, {r.plugin ? with : without}};
        const qt::PlatformChoice choice = qt::ChoosePlatform(s);
        EXPECT_EQ(choice.has_display, r.has_display);
        EXPECT_EQ(choice.platform, r.platform);
        if (*r.notice) {
            EXPECT_NE(choice.notice.find(r.notice), std::string::npos) << choice.notice;
        } else {
            EXPECT_EQ(choice.notice, "");
        }
        EXPECT_EQ(choice.notice.find('\n'), std::string::npos);
        if (!r.has_display) {
            EXPECT_NE(choice.notice.find("verezerud-sim"), std::string::npos);
        }
    }
}

TEST(Session, TheWaylandPluginIsLookedForWhereQtLooksToo) {
    const QString with = PluginFolder(true);
    const char* saved = std::getenv("QT_PLUGIN_PATH");
    const std::string old = saved ? saved : "";
    setenv("QT_PLUGIN_PATH", ("/nonexistent:" + with.toStdString()).c_str(), 1);
    const QStringList folders = qt::CurrentSession().plugin_folders;
    saved ? setenv("QT_PLUGIN_PATH", old.c_str(), 1) : unsetenv("QT_PLUGIN_PATH");
    EXPECT_TRUE(folders.contains(with));
    EXPECT_GE(folders.size(), 3);  // and Qt's own folder
}

TEST(Session, AnXDisplayThatDoesNotAnswerIsNamed) {
    const char* saved_display = std::getenv("DISPLAY");
    const std::string old = saved_display ? saved_display : "";
    setenv("DISPLAY", ":987", 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    const std::string problem = qt::DisplayProblem();
    saved_display ? setenv("DISPLAY", old.c_str(), 1) : unsetenv("DISPLAY");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_NE(problem.find("\":987\""), std::string::npos) << problem;
}

}  // namespace
}  // namespace vz::test
