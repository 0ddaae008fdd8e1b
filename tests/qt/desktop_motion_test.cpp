// `motion = desktop` as each desktop says it: GNOME's enable-animations and
// KDE's AnimationDurationFactor, read from a settings folder of the test's own.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "qt/desktop_motion.h"
#include "suites.h"

namespace vz::test {
namespace {

VZ_SUITE_OFFSCREEN("DesktopMotion");

QString Write(const QTemporaryDir& dir, const char* text) {
    const QString path = dir.filePath(QStringLiteral("kdeglobals"));
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text);
    return path;
}

TEST(DesktopMotion, KdeAsksForNoneWithAnAnimationFactorOfZero) {
    QTemporaryDir dir;
    EXPECT_TRUE(qt::KdeReducesMotion(Write(dir, "[KDE]\nAnimationDurationFactor=0\n")));
    EXPECT_FALSE(qt::KdeReducesMotion(Write(dir, "[KDE]\nAnimationDurationFactor=0.5\n")));
    EXPECT_FALSE(qt::KdeReducesMotion(Write(dir, "[General]\nAnimationDurationFactor=0\n")))
        << "only the [KDE] group's";
    EXPECT_FALSE(qt::KdeReducesMotion(Write(dir, "[KDE]\nSingleClick=false\n")));
    EXPECT_FALSE(qt::KdeReducesMotion(dir.filePath(QStringLiteral("missing"))));
}

TEST(DesktopMotion, GnomeAsksForNoneWhenAnimationsAreOff) {
    EXPECT_TRUE(qt::GnomeReducesMotion(QStringLiteral("false\n")));
    EXPECT_FALSE(qt::GnomeReducesMotion(QStringLiteral("true\n")));
    EXPECT_FALSE(qt::GnomeReducesMotion(QString()));
}

TEST(DesktopMotion, OnlyTheDesktopChoiceAsksTheDesktop) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    Write(home, "[KDE]\nAnimationDurationFactor=0\n");
    EXPECT_EQ(qt::MotionFor(MotionChoice::Desktop), Motion::Still);
    EXPECT_EQ(qt::MotionFor(MotionChoice::Blink), Motion::Blink);
    Write(home, "[KDE]\nAnimationDurationFactor=1\n");
    EXPECT_EQ(qt::MotionFor(MotionChoice::Still), Motion::Still);
    qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace vz::test
