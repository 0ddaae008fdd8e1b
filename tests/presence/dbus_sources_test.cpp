// logind and the notification server as scripted services (python3-dbusmock)
// on private buses (with_buses.sh): lock and unlock by signal and by
// LockedHint, sleep and resume, idle inhibitors, do-not-disturb.

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>

#include "platform/virtual_scheduler.h"
#include "presence_wait.h"
#include "qt/desktop_presence.h"
#include "qt/do_not_disturb.h"
#include "qt/gnome_banners.h"
#include "qt/idle_inhibitors.h"
#include "qt/logind_session.h"
#include "qt/mutter_idle.h"

namespace vz::test {
namespace {

const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");
const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");

// A scripted service on a bus, there until the end of the test.
class Service {
public:
    Service(const QString& name, QStringList args, bool system) : name_(name), system_(system) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(VZ_PYTHON3), QStringList{"-m", "dbusmock"} + args);
    }
    ~Service() {
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished();
        // Gone from the bus too, or the next test's service may pass for ready.
        RunUntil([this] { return !Bus().interface()->isServiceRegistered(name_).value(); });
    }
    bool Ready() {
        return RunUntil([this] { return Bus().interface()->isServiceRegistered(name_).value(); });
    }
    QDBusConnection Bus() const { return system_ ? QDBusConnection::systemBus() : QDBusConnection::sessionBus(); }
    QDBusMessage Call(const QString& path, const QString& interface, const QString& method, const QVariantList& args) {
        QDBusMessage m = QDBusMessage::createMethodCall(name_, path, interface, method);
        m.setArguments(args);
        const QDBusMessage reply = Bus().call(m);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply;
    }

private:
    QString name_;
    bool system_;
    QProcess process_;
};

struct Logind : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(logind.Ready());
        logind.Call("/org/freedesktop/login1", kMock, "AddSession", {"c7", "seat0", 1000u, "user", true});
        qputenv("XDG_SESSION_ID", "c7");
    }
    QDBusMessage Session(const QString& method, const QVariantList& args = {}) {
        return logind.Call("/org/freedesktop/login1/session/c7", "org.freedesktop.login1.Session", method, args);
    }
    void Sleep(bool before) {
        logind.Call("/org/freedesktop/login1", kMock, "EmitSignal",
                    {"org.freedesktop.login1.Manager", "PrepareForSleep", "b",
                     QVariantList{QVariant::fromValue(QDBusVariant(before))}});
    }
    Service logind{kLogind, {"--template", "logind", "--system"}, true};
    VirtualScheduler scheduler;
    TimedSink sink{scheduler};
};

TEST_F(Logind, LockAndUnlockBySignalAndByHintEachToldOnce) {
    qt::LogindSession session(scheduler);
    session.Start(sink);
    EXPECT_EQ(session.Describe().front(),
              "lock: logind's session /org/freedesktop/login1/session/c7 (Lock, Unlock, LockedHint)");
    Session("Lock");
    ASSERT_TRUE(WaitForTold(sink, 1, "locked"));
    Session("SetLockedHint", {true});  // the locker confirms: no second lock
    Session("Unlock");
    ASSERT_TRUE(WaitForTold(sink, 2, "unlocked"));
    Session("SetLockedHint", {true});
    ASSERT_TRUE(WaitForTold(sink, 3, "locked"));
    Session("SetLockedHint", {false});
    ASSERT_TRUE(WaitForTold(sink, 4, "unlocked"));
}

TEST_F(Logind, LockedAtTheStartAndSleepAndResume) {
    Session("SetLockedHint", {true});
    qt::LogindSession session(scheduler);
    session.Start(sink);
    ASSERT_EQ(sink.Words(), std::vector<std::string>{"locked"});
    scheduler.Advance(5000);
    Sleep(true);
    ASSERT_TRUE(WaitForTold(sink, 2, "asleep"));
    EXPECT_EQ(sink.told[1].at_ms, 5000);
    Sleep(false);
    ASSERT_TRUE(WaitForTold(sink, 3, "awake"));
}

TEST_F(Logind, IdleInhibitorsThatBlockMakeBusy) {
    qt::IdleInhibitors inhibitors(scheduler);
    inhibitors.Start(sink);
    EXPECT_EQ(inhibitors.Describe().front(),
              "idle inhibitors: logind's list, read when the program decides; no GNOME session manager");
    const QString manager = "org.freedesktop.login1.Manager";
    // Neither a sleep inhibitor nor one that only delays.
    const QDBusMessage sleep = logind.Call("/org/freedesktop/login1", manager, "Inhibit", {"sleep", "t", "s", "block"});
    const QDBusMessage delay = logind.Call("/org/freedesktop/login1", manager, "Inhibit", {"idle", "t", "d", "delay"});
    inhibitors.Refresh();
    EXPECT_TRUE(sink.told.empty());
    {
        const QDBusMessage film =
            logind.Call("/org/freedesktop/login1", manager, "Inhibit", {"shutdown:idle", "player", "film", "block"});
        inhibitors.Refresh();
        ASSERT_EQ(sink.Words(), std::vector<std::string>{"busy"});
    }
    // Its holder let go of it: logind drops it.
    ASSERT_TRUE(RunUntil([&] {
        inhibitors.Refresh();
        return sink.told.size() == 2;
    }));
    EXPECT_EQ(sink.Last(), "free");
}

TEST(NoLogind, SaidOnceAndNeverTold) {
    VirtualScheduler scheduler;
    RecordingSink sink;
    qt::LogindSession session(scheduler);
    session.Start(sink);
    qt::IdleInhibitors inhibitors(scheduler);
    inhibitors.Start(sink);
    inhibitors.Refresh();
    EXPECT_TRUE(sink.told.empty());
    EXPECT_NE(session.Describe().front().find("no logind session"), std::string::npos) << session.Describe().front();
    EXPECT_NE(inhibitors.Describe().front().find("never seen"), std::string::npos);
}

struct DoNotDisturb : ::testing::Test {
    void Start(Service& server, bool inhibited) {
        ASSERT_TRUE(server.Ready());
        server.Call("/org/freedesktop/Notifications", kMock, "AddProperty",
                    {kNotifications, "Inhibited", QVariant::fromValue(QDBusVariant(inhibited))});
    }
    void Set(Service& server, bool inhibited) {
        server.Call("/org/freedesktop/Notifications", kMock, "UpdateProperties",
                    {kNotifications, QVariantMap{{"Inhibited", inhibited}}});
    }
    VirtualScheduler scheduler;
    TimedSink sink{scheduler};
};

TEST_F(DoNotDisturb, BusyWhileTheNotificationServerIsInhibited) {
    Service server(kNotifications, {"--template", "notification_daemon"}, false);
    Start(server, false);
    qt::DoNotDisturb dnd(scheduler);
    dnd.Start(sink);
    EXPECT_EQ(dnd.Describe().front(), "do-not-disturb: the notification server's Inhibited property");
    Set(server, true);
    ASSERT_TRUE(WaitForTold(sink, 1, "busy"));
    Set(server, false);
    ASSERT_TRUE(WaitForTold(sink, 2, "free"));
}

TEST_F(DoNotDisturb, AServerThatStartsLaterIsHeard) {
    qt::DoNotDisturb dnd(scheduler);
    dnd.Start(sink);
    EXPECT_EQ(dnd.Describe().front(), "do-not-disturb: no notification server here (heard when one starts)");
    // It starts inhibited, and tells no change.
    Service server(kNotifications, {"--template", VZ_INHIBITED_SERVER}, false);
    ASSERT_TRUE(WaitForTold(sink, 1, "busy"));
    EXPECT_EQ(dnd.Describe().front(), "do-not-disturb: the notification server's Inhibited property");
}

TEST(MutterIdle, AwayWhenTheWatchRingsDatedBackAndBackAtTheNextInput) {
    Service mutter("org.gnome.Mutter.IdleMonitor", {"--template", VZ_MUTTER_IDLE_MONITOR}, false);
    ASSERT_TRUE(mutter.Ready());
    const QString core = "/org/gnome/Mutter/IdleMonitor/Core";
    const QString script = "org.gnome.Mutter.IdleMonitor.Script";
    VirtualScheduler scheduler;
    scheduler.Advance(600000);
    TimedSink sink(scheduler);
    qt::MutterIdle idle(scheduler, 300000);
    idle.Start(sink);
    EXPECT_EQ(idle.Describe().front(), "idle: GNOME's idle monitor (org.gnome.Mutter.IdleMonitor), away after 300 s");
    mutter.Call(core, script, "Idle", {quint64(299000)});
    mutter.Call(core, script, "Idle", {quint64(301000)});
    ASSERT_TRUE(WaitForTold(sink, 1, "away"));
    EXPECT_EQ(sink.told[0].at_ms, 600000 - 301000);
    mutter.Call(core, script, "Input", {});
    ASSERT_TRUE(WaitForTold(sink, 2, "back"));
    EXPECT_EQ(sink.told[1].at_ms, 600000);
    // A shorter threshold: a new watch, and the idle time read again.
    mutter.Call(core, script, "Idle", {quint64(70000)});
    idle.AwayAfter(60000);
    ASSERT_EQ(sink.told.size(), 3u);
    EXPECT_EQ(sink.Last(), "away");
    mutter.Call(core, script, "Input", {});
    ASSERT_TRUE(WaitForTold(sink, 4, "back"));
    mutter.Call(core, script, "Idle", {quint64(61000)});
    ASSERT_TRUE(WaitForTold(sink, 5, "away"));
}

TEST(MutterIdle, NoIdleMonitorSaidOnce) {
    VirtualScheduler scheduler;
    RecordingSink sink;
    qt::MutterIdle idle(scheduler, 300000);
    idle.Start(sink);
    idle.Refresh();
    EXPECT_TRUE(sink.told.empty());
    EXPECT_EQ(idle.Describe().front(),
              "idle: not seen on this Wayland desktop (no GNOME idle monitor), away is never seen");
}

TEST(GnomeSessionInhibitors, BusyWhileAnIdleInhibitorIsHeld) {
    Service gnome("org.gnome.SessionManager", {"--template", VZ_GNOME_SESSION}, false);
    ASSERT_TRUE(gnome.Ready());
    VirtualScheduler scheduler;
    RecordingSink sink;
    qt::IdleInhibitors inhibitors(scheduler);
    inhibitors.Start(sink);
    EXPECT_NE(inhibitors.Describe().front().find("; GNOME's session manager (InhibitorAdded, InhibitorRemoved)"),
              std::string::npos) << inhibitors.Describe().front();
    const QString path = "/org/gnome/SessionManager", manager = "org.gnome.SessionManager";
    // Logging out held back (1) is no film; not going idle (8) is.
    gnome.Call(path, manager, "Inhibit", {"editor", 0u, "unsaved", 1u});
    const uint film = gnome.Call(path, manager, "Inhibit", {"player", 0u, "film", 8u}).arguments().first().toUInt();
    ASSERT_TRUE(WaitForTold(sink, 1, "busy"));
    gnome.Call(path, manager, "Uninhibit", {film});
    ASSERT_TRUE(WaitForTold(sink, 2, "free"));
}

TEST(GnomeBanners, BusyWhileGnomeShowsNoBanners) {
    Service portal("org.freedesktop.portal.Desktop", {"--template", VZ_DESKTOP_PORTAL}, false);
    ASSERT_TRUE(portal.Ready());
    const QString path = "/org/freedesktop/portal/desktop", script = "org.freedesktop.portal.Settings.Script";
    portal.Call(path, script, "Set", {false});
    VirtualScheduler scheduler;
    RecordingSink sink;
    qt::GnomeBanners banners(scheduler);
    banners.Start(sink);
    EXPECT_EQ(banners.Describe().front(), "do-not-disturb (GNOME): GNOME's show-banners setting, through the desktop portal");
    ASSERT_EQ(sink.Words(), std::vector<std::string>{"busy"});  // off already at the start
    portal.Call(path, script, "Set", {true});
    ASSERT_TRUE(WaitForTold(sink, 2, "free"));
    portal.Call(path, script, "Set", {false});
    ASSERT_TRUE(WaitForTold(sink, 3, "busy"));
    // Shown at the start: nothing to tell.
    portal.Call(path, script, "Set", {true});
    RecordingSink later_sink;
    qt::GnomeBanners later(scheduler);
    later.Start(later_sink);
    EXPECT_TRUE(later_sink.told.empty());
}

// What `verezerud --options` shows of a desktop that has none of them: no
// X11 display, no logind, no notification server, no sound server.
TEST(DesktopPresence, EverySourceSaysWhatItCannotSee) {
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("XDG_SESSION_TYPE");
    qputenv("PULSE_SERVER", "unix:/nonexistent/vz-no-sound-server");
    VirtualScheduler scheduler;
    RecordingSink sink;
    auto sources = qt::MakeDesktopPresence(scheduler, 300000);
    for (auto& source : sources) source->Start(sink);
    std::vector<std::string> lines;
    ASSERT_TRUE(RunUntil([&] {
        lines.clear();
        for (auto& source : sources)
            for (const std::string& line : source->Describe()) lines.push_back(line);
        return !lines.empty() && lines.back() == "microphone: no sound server, never seen";
    }));
    const std::string unknown = "(org.freedesktop.DBus.Error.ServiceUnknown)";
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "idle: not an X11 display, away is never seen",
                         "lock: no logind session " + unknown + ", never seen",
                         "sleep: no logind session " + unknown + ", never seen",
                         "full screen: not an X11 display, never seen",
                         "do-not-disturb: no notification server here (heard when one starts)",
                         "do-not-disturb (GNOME): no desktop portal here (heard when one starts)",
                         "idle inhibitors: logind does not list them " + unknown + "; no GNOME session manager, never seen",
                         "microphone: no sound server, never seen",
                     }));
    EXPECT_TRUE(sink.told.empty());
}

}  // namespace
}  // namespace vz::test
