// Several monitors and the keyboard during the rest. The virtual display is
// one wide screen split into RandR monitors; each test lays out its own
// monitors with xrandr.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <functional>
#include <memory>
#include <QGuiApplication>
#include <xcb/xcb.h>

#include "gui_run.h"
#include "pixels.h"
#include "suites.h"

namespace vz::test {
namespace {

constexpr int kWaitLimitMs = 10'000;
const char* const kToBanner = "start\nwait 58m";

bool WaitFor(const std::function<bool()>& done, int limit_ms = kWaitLimitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit_ms) return false;
        QThread::msleep(30);
    }
    return true;
}

struct Monitor {
    QString name;
    QRect area;
    bool primary = false;
};

QStringList MonitorNames() {
    QStringList names;
    const QString list = Command(QStringLiteral("xrandr"), {QStringLiteral("--listmonitors")});
    static const QRegularExpression line(QStringLiteral("^\\s*\\d+: [+*]*(\\S+) "),
                                         QRegularExpression::MultilineOption);
    for (auto m = line.globalMatch(list); m.hasNext();) names << m.next().captured(1);
    return names;
}

// Makes the display's monitors these, leaving alone those that stay.
void Layout(const std::vector<Monitor>& wanted) {
    const QStringList have = MonitorNames();
    QStringList names;
    for (const Monitor& m : wanted) names << m.name;
    for (const QString& name : have)
        if (!names.contains(name)) Command(QStringLiteral("xrandr"), {"--delmonitor", name});
    for (const Monitor& m : wanted) {
        if (have.contains(m.name)) continue;
        // Sizes in millimetres at 96 dots per inch.
        const QString geometry = QStringLiteral("%1/%2x%3/%4+%5+%6")
                                     .arg(m.area.width())
                                     .arg(m.area.width() * 254 / 960)
                                     .arg(m.area.height())
                                     .arg(m.area.height() * 254 / 960)
                                     .arg(m.area.x())
                                     .arg(m.area.y());
        Command(QStringLiteral("xrandr"),
                {"--setmonitor", (m.primary ? "*" : "") + m.name, geometry, "none"});
    }
    // The whole screen's own monitor goes (xrandr reports an error and does it).
    Command(QStringLiteral("xrandr"), {"--output", "screen", "--off"});
    ASSERT_TRUE(WaitFor([&] { return MonitorNames().size() == int(wanted.size()); }))
        << Command(QStringLiteral("xrandr"), {QStringLiteral("--listmonitors")}).toStdString();
}


bool HasWindow(const QRect& area) {
    for (const XWindow& w : ProgramWindows())
        if (w.geometry == area) return true;
    return false;
}

// Another program's window, named `name`, shown by `program`.
class XClient {
public:
    XClient(const QString& program, QStringList args, const QString& name) {
        process_.start(program, args);
        process_.waitForStarted();
        EXPECT_TRUE(WaitFor([&] {
            id_ = Command(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", "^" + name + "$"})
                      .section('\n', 0, 0);
            return !id_.isEmpty();
        }));
    }
    ~XClient() {
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished();
    }
    const QString& id() const { return id_; }

protected:
    QProcess process_;
    QString id_;
};

const QRect kLeft(0, 0, 1920, 1080), kRight(1920, 0, 1280, 800);

VZ_SUITE_DISPLAY("Monitors", "3200x1080");

TEST(Monitors, TheRestDarkensEveryMonitorAndFollowsThemComingAndGoing) {
    Layout({{"LEFT", kLeft, true}, {"RIGHT", kRight}});
    const QRect other(2100, 100, 600, 300);
    const XClient window(QStringLiteral("xmessage"),
                         {"-geometry", "600x300+2100+100", "-title", "Another", "Another program's window"},
                         QStringLiteral("Another"));
    LiveSim sim(FreshDir("data"));
    const QImage banner = sim.Snap(kToBanner, "banner");
    EXPECT_TRUE(All(banner, QRect(0, 0, 1920, 28), IsRed));
    EXPECT_GT(Count(banner, other, IsDarkText), 0);  // the other window is seen

    const QImage rest = sim.Snap("wait 10s", "rest");
    EXPECT_TRUE(All(rest, kRight, IsBlack));
    EXPECT_TRUE(All(rest, QRect(0, 60, 1920, 440), IsBlack));
    EXPECT_TRUE(All(rest, QRect(0, 580, 1920, 500), IsBlack));
    EXPECT_TRUE(HasWindow(kRight));

    // Unplugged during the rest: its cover goes. Another one plugged in is covered.
    Layout({{"LEFT", kLeft, true}});
    EXPECT_TRUE(WaitFor([&] { return sim.Send("wait 0ms").size() && !HasWindow(kRight); }));
    const QRect third(1920, 100, 1000, 600);
    Layout({{"LEFT", kLeft, true}, {"THIRD", third}});
    EXPECT_TRUE(WaitFor([&] { return sim.Send("wait 0ms").size() && HasWindow(third); }));
    const QImage replugged = sim.Snap("wait 0ms", "replugged");
    EXPECT_TRUE(All(replugged, third, IsBlack));
    EXPECT_FALSE(All(replugged, QRect(1920, 0, 1280, 100), IsBlack));  // no monitor there now

    // The end of the hour releases every monitor.
    const QImage after = sim.Snap("wait 2m", "after");
    EXPECT_GT(Count(after, other, IsDarkText), 0);
    EXPECT_FALSE(HasWindow(third));
}

TEST(Monitors, BannerRestScreenAndSmallWindowsKeepToThePrimaryWhereverItIs) {
    const QRect side(0, 0, 1280, 800), main(1280, 0, 1920, 1080);
    Layout({{"MAIN", main, true}, {"SIDE", side}});
    LiveSim sim(FreshDir("data"));
    const QImage banner = sim.Snap(kToBanner, "banner");
    EXPECT_TRUE(All(banner, QRect(1280, 0, 1920, 28), IsRed));
    EXPECT_TRUE(All(banner, QRect(0, 0, 1280, 28), IsWhite));

    const QImage rest = sim.Snap("wait 10s", "rest");
    EXPECT_TRUE(HasWindow(main));
    EXPECT_TRUE(HasWindow(side));
    EXPECT_TRUE(All(rest, side, IsBlack));
    EXPECT_TRUE(All(rest, QRect(1280, 60, 1920, 440), IsBlack));

    // Centred on the primary monitor.
    const QImage about = sim.Snap("click frmSplash\nchoose About", "about");
    EXPECT_GT(Count(about, QRect(1280 + 803, 445, 314, 190), [](QRgb c) { return c == qRgb(255, 255, 192); }),
              314 * 190 / 2);
}

// ---- The keyboard, under a window manager ------------------------------------------

// A window of another program that records the keys it gets (xev).
class KeyRecorder : public XClient {
public:
    explicit KeyRecorder(const QString& name)
        : XClient(QStringLiteral("xev"), {"-name", name, "-event", "keyboard"}, name) {}
    // The keys pressed in it so far, by their names ("a", "Return").
    QStringList Keys() {
        process_.waitForReadyRead(20);
        output_ += QString::fromUtf8(process_.readAllStandardOutput());
        QStringList keys;
        static const QRegularExpression press(
            QStringLiteral("KeyPress event.*\\n.*\\n.*keysym 0x[0-9a-f]+, (\\w+)\\)"));
        for (auto m = press.globalMatch(output_); m.hasNext();) keys << m.next().captured(1);
        return keys;
    }

private:
    QString output_;
};

QString Focus() { return Command(QStringLiteral("xdotool"), {"getwindowfocus"}).trimmed(); }

// What the window manager says of a window's state (_NET_WM_STATE).
QString States(const QString& id) {
    return Command(QStringLiteral("xprop"), {"-id", id, "_NET_WM_STATE"});
}

// The keyboard grabbed by this process for a while, as another program or
// the window manager does when it opens a menu.
class KeyboardHeldElsewhere {
public:
    KeyboardHeldElsewhere() {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        c_ = x11 ? x11->connection() : nullptr;
        if (!c_) return;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        xcb_grab_keyboard_reply_t* reply = xcb_grab_keyboard_reply(
            c_, xcb_grab_keyboard(c_, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr);
        held_ = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(reply);
    }
    ~KeyboardHeldElsewhere() { Release(); }
    bool Held() const { return held_; }
    void Release() {
        if (!held_) return;
        held_ = false;
        xcb_ungrab_keyboard(c_, XCB_CURRENT_TIME);
        xcb_flush(c_);
    }

private:
    xcb_connection_t* c_ = nullptr;
    bool held_ = false;
};
void Type(const QStringList& args) { Command(QStringLiteral("xdotool"), args); }

// Lets the program run until its trace, gathered in `trace`, holds `line` `times` times.
bool Until(LiveSim& sim, QString& trace, const char* line, int times = 1) {
    return WaitFor([&] {
        trace += sim.Send("wait 0ms");
        return trace.count(QLatin1String(line)) >= times;
    });
}

VZ_SUITE_DISPLAY("Keyboard", "3200x1080");

// Openbox, managing a window that records keys. The window is there first: a
// window mapped while openbox starts may never be managed.
class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        Layout({{"LEFT", kLeft, true}, {"RIGHT", kRight}});
        before_ = std::make_unique<KeyRecorder>(QStringLiteral("RecorderBefore"));
        wm_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(wm_.waitForStarted());
        ASSERT_TRUE(WaitFor([this] {
            return Command(QStringLiteral("xprop"), {"-id", before_->id(), "_NET_FRAME_EXTENTS"})
                .contains(QLatin1String("="));
        }));
    }
    void TearDown() override {
        before_.reset();
        wm_.terminate();
        if (!wm_.waitForFinished(3000)) wm_.kill();
        wm_.waitForFinished();
    }
    QProcess wm_;
    std::unique_ptr<KeyRecorder> before_;
};

TEST_F(Keyboard, NothingTypedDuringTheRestReachesAnotherWindowAndTheFocusComesBack) {
    KeyRecorder& before = *before_;
    Type({"windowactivate", "--sync", before.id()});
    ASSERT_TRUE(WaitFor([&] { return Focus() == before.id(); }));

    LiveSim sim(FreshDir("data"), {QStringLiteral("--live-input")});
    QString trace = sim.Send(kToBanner);
    // The banner leaves the keyboard where it was.
    Type({"type", "--delay", "20", "ab"});
    ASSERT_TRUE(WaitFor([&] { return before.Keys().size() == 2; })) << before.Keys().join(' ').toStdString();

    trace += sim.Send("wait 10s");
    // The other monitor's cover is full screen, as the window manager sees it,
    // so that no panel or dock stays above it; so is the rest screen.
    for (const XWindow& w : ProgramWindows()) {
        if (w.geometry != kRight && w.geometry != kLeft) continue;
        EXPECT_TRUE(States(w.id).contains(QLatin1String("_NET_WM_STATE_FULLSCREEN")))
            << w.id.toStdString() << ": " << States(w.id).toStdString();
    }
    EXPECT_TRUE(HasWindow(kRight) && HasWindow(kLeft));
    // Each key ends at the program; Enter shows when the rest screen had them all.
    Type({"type", "--delay", "20", "cd"});
    Type({"key", "Return"});
    ASSERT_TRUE(Until(sim, trace, "ignored key Enter")) << trace.toStdString();
    // Another program opens a window, which the window manager may focus; alt+Tab.
    KeyRecorder during(QStringLiteral("RecorderDuring"));
    Type({"key", "alt+Tab"});
    Type({"type", "--delay", "20", "ef"});
    Type({"key", "Return"});
    ASSERT_TRUE(Until(sim, trace, "ignored key Enter", 2)) << trace.toStdString();

    // Escape and Enter reach the About window, and Escape the menu.
    trace += sim.Send("click frmSplash\nchoose About");
    ASSERT_TRUE(trace.contains(QLatin1String("show frmAbout")));
    Type({"key", "Escape"});
    EXPECT_TRUE(Until(sim, trace, "unload frmAbout")) << trace.toStdString();
    trace = sim.Send("click frmSplash\nchoose About");
    Type({"key", "Return"});
    EXPECT_TRUE(Until(sim, trace, "unload frmAbout")) << trace.toStdString();
    // The menu is one more window of the program, without a name.
    const auto windows_shown = [] {
        return Command(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--class", "^verezerud"})
            .count('\n');
    };
    const int windows = windows_shown();
    trace = sim.Send("click frmSplash");
    ASSERT_TRUE(trace.contains(QLatin1String("popup frmSplash")));
    ASSERT_TRUE(WaitFor([&] {
        sim.Send("wait 0ms");
        return windows_shown() > windows;
    }));
    Type({"key", "Escape"});
    EXPECT_TRUE(WaitFor([&] {
        sim.Send("wait 0ms");
        return windows_shown() == windows;  // the menu has closed
    }));
    EXPECT_TRUE(sim.Send("choose About").contains(QLatin1String("ignored choose About")));

    // The end of the hour gives the keyboard back to the window that had it.
    sim.Send("wait 2m");
    EXPECT_TRUE(WaitFor([&] { return Focus() == before.id(); }))
        << Focus().toStdString() << " " << before.id().toStdString();
    Type({"type", "g"});
    ASSERT_TRUE(WaitFor([&] { return before.Keys().size() == 3; }));
    EXPECT_EQ(before.Keys(), (QStringList{"a", "b", "g"}));
    EXPECT_EQ(during.Keys(), QStringList{});
}

TEST_F(Keyboard, AGrabRefusedWhileAnotherProgramHoldsTheKeyboardIsTriedAgain) {
    LiveSim sim(FreshDir("data"), {QStringLiteral("--live-input")});
    QString trace = sim.Send(kToBanner);
    // Someone else holds the keyboard as the rest screen comes, for a moment.
    auto other = std::make_unique<KeyboardHeldElsewhere>();
    ASSERT_TRUE(other->Held());
    trace += sim.Send("wait 10s");
    ASSERT_TRUE(trace.contains(QLatin1String("set frmSplash.Timer3.Enabled True")));
    other.reset();
    // Once it is free, the program holds it: nobody else can take it now.
    EXPECT_TRUE(WaitFor([] { return !KeyboardHeldElsewhere().Held(); }));
    // Another program opens a window; typing reaches the program, not it.
    KeyRecorder during(QStringLiteral("RecorderDuring"));
    Type({"type", "--delay", "20", "xy"});
    Type({"key", "Return"});
    EXPECT_TRUE(Until(sim, trace, "ignored key Enter")) << trace.toStdString();
    EXPECT_EQ(during.Keys(), QStringList{});
    // The end of the hour lets the keyboard go.
    sim.Send("wait 2m");
    EXPECT_TRUE(WaitFor([] { return KeyboardHeldElsewhere().Held(); }));
}

}  // namespace
}  // namespace vz::test
