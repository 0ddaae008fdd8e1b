// The program a user starts: its command line, where it keeps its files, and
// how it ends when the session ends or a signal comes.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "gui_run.h"

namespace vz::test {
namespace {

constexpr int kStartLimitMs = 15'000;

QProcessEnvironment Environment(const QString& data_home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), data_home);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

// Whether the process catches SIGTERM, SIGINT and SIGHUP yet (SigCgt in /proc).
bool CatchesStopSignals(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("SigCgt:")) continue;
        bool ok = false;
        const qulonglong caught = line.mid(7).trimmed().toULongLong(&ok, 16);
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            ok = ok && ((caught >> (signal - 1)) & 1) != 0;
        return ok;
    }
    return false;
}

// Starts the program (on `display`, when given) and waits until it has read
// its files and a signal would end it cleanly. The files alone tell nothing
// when an earlier run made them.
bool StartProgram(QProcess& p, const QString& data_home, const QString& display = {}) {
    QProcessEnvironment env = Environment(data_home);
    if (!display.isEmpty()) env.insert(QStringLiteral("DISPLAY"), display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VZ_PROGRAM), {});
    if (!p.waitForStarted()) return false;
    QElapsedTimer clock;
    clock.start();
    // The start-up reads both files, which makes them.
    while (!QFile::exists(data_home + "/verezerud/SettingT.tim") ||
           !CatchesStopSignals(p.processId())) {
        if (clock.elapsed() > kStartLimitMs || p.state() != QProcess::Running) return false;
        p.waitForFinished(20);  // notices an early end
    }
    return p.state() == QProcess::Running;
}

class Stopping : public ::testing::TestWithParam<int> {};

TEST_P(Stopping, ASignalCreditsOneHalfHourOnceAndEndsCleanly) {
    const QString home = FreshDir("data");
    QProcess p;
    ASSERT_TRUE(StartProgram(p, home)) << p.readAllStandardError().toStdString();
    ::kill(pid_t(p.processId()), GetParam());
    ASSERT_TRUE(p.waitForFinished(10'000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(Contents(home + "/verezerud/ZURivIdid.tim"), QByteArray("\x01\x00", 2));
}

INSTANTIATE_TEST_SUITE_P(Program, Stopping, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) {
                             return info.param == SIGTERM ? "SIGTERM"
                                    : info.param == SIGINT ? "SIGINT"
                                                           : "SIGHUP";
                         });

// Starts a display of its own. Xvfb picks a free number itself and writes it
// to -displayfd only once it accepts connections, so there is no race for a
// number and no connecting before it is ready.
QString StartOwnDisplay(QProcess& xvfb) {
    xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "800x600x24",
                                        "-nolisten", "tcp"});
    if (!xvfb.waitForStarted()) return {};
    QElapsedTimer clock;
    clock.start();
    while (!xvfb.canReadLine() && xvfb.state() == QProcess::Running && clock.elapsed() < 10'000)
        xvfb.waitForReadyRead(100);
    const QByteArray number = xvfb.readLine().trimmed();
    return number.isEmpty() ? QString() : QStringLiteral(":") + QString::fromLatin1(number);
}

TEST(Program, TheDisplayGoingAwayStillCreditsTheHour) {
    // A display of its own, which the test can end as a session's end does.
    QProcess xvfb;
    const QString display = StartOwnDisplay(xvfb);
    ASSERT_FALSE(display.isEmpty());
    const QString home = FreshDir("data");
    QProcess p;
    ASSERT_TRUE(StartProgram(p, home, display))
        << display.toStdString() << ": " << p.readAllStandardError().toStdString();
    QThread::msleep(200);
    xvfb.terminate();
    ASSERT_TRUE(xvfb.waitForFinished(10'000));
    ASSERT_TRUE(p.waitForFinished(10'000)) << p.readAllStandardError().toStdString();
    EXPECT_EQ(Contents(home + "/verezerud/ZURivIdid.tim"), QByteArray("\x01\x00", 2))
        << p.readAllStandardError().toStdString();
}

// While it waits for the hour's end, with its windows hidden, the program has
// not loaded what only they or the chime need: the sound library, Qt's image
// plugins, fonts, fontconfig's caches, or an OpenGL driver.
TEST(Program, WaitsWithoutWhatOnlyItsWindowsAndTheChimeNeed) {
    const QString home = FreshDir("data");
    QProcess p;
    ASSERT_TRUE(StartProgram(p, home)) << p.readAllStandardError().toStdString();
    QThread::msleep(200);  // a moment of waiting: the watch, not a wait for readiness
    QFile maps(QStringLiteral("/proc/%1/maps").arg(p.processId()));  // a mapped file a line
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QStringList files = QString::fromUtf8(maps.readAll()).split('\n');
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(10'000));
    ASSERT_TRUE(files.filter(QStringLiteral("libQt6Widgets")).size()) << "no maps read";
    for (const char* needed_later :
         {"libpulse", "/imageformats/", "libjpeg", "/fonts/", "/fontconfig/", "_mesa",
          "_dri", "/dri/", "libgallium", "libLLVM", "/xcbglintegrations/"}) {
        const QStringList found = files.filter(QLatin1String(needed_later));
        EXPECT_TRUE(found.isEmpty()) << needed_later << ": " << found.join(' ').toStdString();
    }
}

TEST(Program, TellsItsVersion) {
    EXPECT_EQ(Command(QStringLiteral(VZ_PROGRAM), {QStringLiteral("--version")}),
              QStringLiteral("Verezerud 1.01\n"));
    EXPECT_TRUE(Command(QStringLiteral(VZ_PROGRAM), {QStringLiteral("--help")})
                    .contains(QLatin1String("verezerud-sim")));
}

TEST(Program, WithoutADisplaySaysSoInOneLineAndFails) {
    QProcessEnvironment env = Environment(FreshDir("data"));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
        env.remove(QString::fromLatin1(name));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VZ_PROGRAM), {});
    ASSERT_TRUE(p.waitForFinished(10'000));
    EXPECT_NE(p.exitCode(), 0);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QLatin1String("display")));
    EXPECT_TRUE(err.contains(QLatin1String("verezerud-sim")));
}

TEST(Program, OnlyOneRunsPerDataFolder) {
    const QString home = FreshDir("data");
    QProcess first;
    ASSERT_TRUE(StartProgram(first, home));
    QProcess second;
    second.setProcessEnvironment(Environment(home));
    second.start(QStringLiteral(VZ_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(10'000));
    EXPECT_EQ(second.exitCode(), 0);  // not a failure: the first one goes on
    EXPECT_TRUE(second.readAllStandardError().contains("Verezerud is already running"));
    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10'000));
    EXPECT_EQ(Contents(home + "/verezerud/ZURivIdid.tim"), QByteArray("\x01\x00", 2));
}

TEST(Program, AKilledProgramLeavesNoLockBehindAndTheNextAddsToTheUsageFileThatIsThere) {
    const QString home = FreshDir("data");
    QDir().mkpath(home + "/verezerud");
    QFile f(home + "/verezerud/ZURivIdid.tim");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(QByteArray("\x09\x00", 2)) == 2);
    f.close();
    QProcess first;
    ASSERT_TRUE(StartProgram(first, home));
    first.kill();  // no chance to clean up
    ASSERT_TRUE(first.waitForFinished(10'000));
    QProcess next;
    ASSERT_TRUE(StartProgram(next, home)) << next.readAllStandardError().toStdString();
    next.terminate();
    ASSERT_TRUE(next.waitForFinished(10'000));
    EXPECT_EQ(Contents(home + "/verezerud/ZURivIdid.tim"), QByteArray("\x0a\x00", 2));
}

}  // namespace
}  // namespace vz::test
