// logind, the notification server and GNOME's services as scripted services
// (python3-dbusmock) on private buses (with_buses.sh).

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
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

// A scripted service on a bus (`template` dbusmock's or a file here), ready
// once constructed, gone from the bus once destroyed.
class Service {
public:
    Service(const QString& name, const QString& path, const QString& template_, bool system = false)
        : name_(name), path_(path), bus_(system ? QDBusConnection::systemBus() : QDBusConnection::sessionBus()) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(VZ_PYTHON3), QStringList{"-m", "dbusmock", "--template", template_} +
                                                       (system ? QStringList{"--system"} : QStringList{}));
        ready_ = RunUntil([this] { return bus_.interface()->isServiceRegistered(name_).value(); });
    }
    ~Service() {
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished();
        // Or the next test's service may pass for ready.
        RunUntil([this] { return !bus_.interface()->isServiceRegistered(name_).value(); });
    }
    bool Ready() const { return ready_; }
    // A method of `interface` at the service's object (or `path` under it).
    QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& args = {},
                      const QString& path = "") {
        QDBusMessage m = QDBusMessage::createMethodCall(name_, path_ + path, interface, method);
        m.setArguments(args);
        const QDBusMessage reply = bus_.call(m);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply;
    }

private:
    QString name_, path_;
    QDBusConnection bus_;
    QProcess process_;
    bool ready_;
};

const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");

struct Logind : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(logind.Ready());
        logind.Call(kMock, "AddSession", {"c7", "seat0", 1000u, "user", true});
        qputenv("XDG_SESSION_ID", "c7");
    }
    void Session(const QString& method, const QVariantList& args = {}) {
        logind.Call("org.freedesktop.login1.Session", method, args, "/session/c7");
    }
    Service logind{"org.freedesktop.login1", "/org/freedesktop/login1", "logind", true};
    VirtualScheduler scheduler;
    RecordingSink sink;
};

TEST_F(Logind, LockedAtTheStartThenEachLockAndUnlockBySignalOrByHintToldOnceAndSleepDated) {
    Session("SetLockedHint", {true});
    qt::LogindSession session(scheduler);
    session.Start(sink);
    EXPECT_EQ(session.Describe().front(),
              "lock: logind's session /org/freedesktop/login1/session/c7 (Lock, Unlock, LockedHint)");
    ASSERT_EQ(sink.Heard(), "locked@0");
    Session("Unlock");
    ASSERT_TRUE(WaitForTold(sink, 2, "unlocked"));
    Session("Lock");
    ASSERT_TRUE(WaitForTold(sink, 3, "locked"));
    Session("SetLockedHint", {true});  // the locker confirms: no second lock
    Session("SetLockedHint", {false});
    ASSERT_TRUE(WaitForTold(sink, 4, "unlocked"));
    Session("SetLockedHint", {true});
    ASSERT_TRUE(WaitForTold(sink, 5, "locked"));
    scheduler.Advance(5000);
    for (bool before : {true, false})
        logind.Call(kMock, "EmitSignal", {"org.freedesktop.login1.Manager", "PrepareForSleep", "b",
                                          QVariantList{QVariant::fromValue(QDBusVariant(before))}});
    ASSERT_TRUE(RunUntil([&] { return sink.told.size() == 7; }));
    EXPECT_EQ(sink.Heard(), "locked@0 unlocked@0 locked@0 unlocked@0 locked@0 asleep@5000 awake@5000");
}

TEST_F(Logind, IdleInhibitorsThatBlockMakeBusy) {
    qt::IdleInhibitors inhibitors(scheduler);
    inhibitors.Start(sink);
    EXPECT_EQ(inhibitors.Describe().front(),
              "idle inhibitors: logind's list, read when the program decides; no GNOME session manager");
    const QString manager = "org.freedesktop.login1.Manager";
    // Neither a sleep inhibitor nor one that only delays.
    const QDBusMessage sleep = logind.Call(manager, "Inhibit", {"sleep", "t", "s", "block"});
    const QDBusMessage delay = logind.Call(manager, "Inhibit", {"idle", "t", "d", "delay"});
    inhibitors.Refresh();
    EXPECT_TRUE(sink.told.empty());
    {
        const QDBusMessage film = logind.Call(manager, "Inhibit", {"shutdown:idle", "player", "film", "block"});
        inhibitors.Refresh();
        ASSERT_EQ(sink.Last(), "busy");
    }
    // Its holder let go of it: logind drops it.
    ASSERT_TRUE(RunUntil([&] {
        inhibitors.Refresh();
        return sink.told.size() == 2;
    }));
    EXPECT_EQ(sink.Last(), "free");
}

TEST(DoNotDisturb, ANotificationServerThatStartsLaterIsHeardAndBusyWhileItIsInhibited) {
    VirtualScheduler scheduler;
    RecordingSink sink;
    qt::DoNotDisturb dnd(scheduler);
    dnd.Start(sink);
    EXPECT_EQ(dnd.Describe().front(), "do-not-disturb: no notification server here (heard when one starts)");
    // It starts inhibited, and tells no change.
    Service server("org.freedesktop.Notifications", "/org/freedesktop/Notifications", VZ_INHIBITED_SERVER);
    ASSERT_TRUE(WaitForTold(sink, 1, "busy"));
    EXPECT_EQ(dnd.Describe().front(), "do-not-disturb: the notification server's Inhibited property");
    for (bool inhibited : {false, true})
        server.Call(kMock, "UpdateProperties", {"org.freedesktop.Notifications", QVariantMap{{"Inhibited", inhibited}}});
    ASSERT_TRUE(WaitForTold(sink, 3, "busy"));
    EXPECT_EQ(sink.told[1].what, Presence::BusyOff);
}

TEST(MutterIdle, AwayWhenTheWatchRingsDatedBackAndBackAtTheNextInput) {
    Service mutter("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core", VZ_MUTTER_IDLE_MONITOR);
    ASSERT_TRUE(mutter.Ready());
    const QString script = "org.gnome.Mutter.IdleMonitor.Script";
    VirtualScheduler scheduler;
    scheduler.Advance(600000);
    RecordingSink sink;
    qt::MutterIdle idle(scheduler, 300000);
    idle.Start(sink);
    EXPECT_EQ(idle.Describe().front(), "idle: GNOME's idle monitor (org.gnome.Mutter.IdleMonitor), away after 300 s");
    mutter.Call(script, "Idle", {quint64(299000)});
    mutter.Call(script, "Idle", {quint64(301000)});
    ASSERT_TRUE(WaitForTold(sink, 1, "away"));
    mutter.Call(script, "Input");
    ASSERT_TRUE(WaitForTold(sink, 2, "back"));
    // A shorter threshold: a new watch, and the idle time read again.
    mutter.Call(script, "Idle", {quint64(70000)});
    idle.AwayAfter(60000);
    ASSERT_EQ(sink.told.size(), 3u);
    mutter.Call(script, "Input");
    ASSERT_TRUE(WaitForTold(sink, 4, "back"));
    mutter.Call(script, "Idle", {quint64(61000)});
    ASSERT_TRUE(WaitForTold(sink, 5, "away"));
    EXPECT_EQ(sink.Heard(), "away@299000 back@600000 away@530000 back@600000 away@539000");
}

TEST(GnomeSessionInhibitors, BusyWhileAnIdleInhibitorIsHeld) {
    Service gnome("org.gnome.SessionManager", "/org/gnome/SessionManager", VZ_GNOME_SESSION);
    ASSERT_TRUE(gnome.Ready());
    VirtualScheduler scheduler;
    RecordingSink sink;
    qt::IdleInhibitors inhibitors(scheduler);
    inhibitors.Start(sink);
    EXPECT_NE(inhibitors.Describe().front().find("; GNOME's session manager (InhibitorAdded, InhibitorRemoved)"),
              std::string::npos) << inhibitors.Describe().front();
    const QString manager = "org.gnome.SessionManager";
    // Logging out held back (1) is no film; not going idle (8) is.
    gnome.Call(manager, "Inhibit", {"editor", 0u, "unsaved", 1u});
    const uint film = gnome.Call(manager, "Inhibit", {"player", 0u, "film", 8u}).arguments().first().toUInt();
    ASSERT_TRUE(WaitForTold(sink, 1, "busy"));
    gnome.Call(manager, "Uninhibit", {film});
    ASSERT_TRUE(WaitForTold(sink, 2, "free"));
}

TEST(GnomeBanners, BusyWhileGnomeShowsNoBanners) {
    Service portal("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop", VZ_DESKTOP_PORTAL);
    ASSERT_TRUE(portal.Ready());
    const QString script = "org.freedesktop.portal.Settings.Script";
    VirtualScheduler scheduler;
    RecordingSink sink, later_sink;
    portal.Call(script, "Set", {false});
    qt::GnomeBanners banners(scheduler);
    banners.Start(sink);
    EXPECT_EQ(banners.Describe().front(), "do-not-disturb (GNOME): GNOME's show-banners setting, through the desktop portal");
    ASSERT_EQ(sink.Last(), "busy");  // off already at the start
    portal.Call(script, "Set", {true});
    ASSERT_TRUE(WaitForTold(sink, 2, "free"));
    portal.Call(script, "Set", {false});
    ASSERT_TRUE(WaitForTold(sink, 3, "busy"));
    // Shown at the start: nothing to tell.
    portal.Call(script, "Set", {true});
    qt::GnomeBanners later(scheduler);
    later.Start(later_sink);
    EXPECT_TRUE(later_sink.told.empty());
}

// What `verezerud --options` shows of a desktop that has none of them: no
// X11 display (nor GNOME's idle monitor on Wayland), no logind, no
// notification server, no sound server; and none of them ever tells a thing.
TEST(DesktopPresence, EverySourceSaysWhatItCannotSeeAndNeverTells) {
    qputenv("PULSE_SERVER", "unix:/nonexistent/vz-no-sound-server");
    const std::string unknown = "(org.freedesktop.DBus.Error.ServiceUnknown)";
    for (const char* wayland : {"", "wayland-vz"}) {
        SCOPED_TRACE(std::string("WAYLAND_DISPLAY=") + wayland);
        qputenv("WAYLAND_DISPLAY", wayland);
        qunsetenv("XDG_SESSION_TYPE");
        VirtualScheduler scheduler;
        RecordingSink sink;
        auto sources = qt::MakeDesktopPresence(scheduler, 300000);
        for (auto& source : sources) source->Start(sink);
        std::vector<std::string> lines;
        ASSERT_TRUE(RunUntil([&] {
            lines.clear();
            for (auto& source : sources) {
                source->Refresh();
                for (const std::string& line : source->Describe()) lines.push_back(line);
            }
            return !lines.empty() && lines.back() == "microphone: no sound server, never seen";
        }));
        EXPECT_EQ(lines, (std::vector<std::string>{
                             *wayland ? "idle: not seen on this Wayland desktop (no GNOME idle monitor), away is never seen"
                                      : "idle: not an X11 display, away is never seen",
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
}

}  // namespace
}  // namespace vz::test
