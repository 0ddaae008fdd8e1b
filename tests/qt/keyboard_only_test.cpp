// The program with the keyboard alone, real key events on the real windows
// under a window manager: the banner declined with the decline key while the
// keyboard stays with the user's work, the rest screen's menu opened with the
// menu key and Shift+F10, and a setting changed with arrows, Tab and Enter.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <functional>

#include "gui_run.h"

namespace vz::test {
namespace {

constexpr int kWaitLimitMs = 10'000;

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kWaitLimitMs) return false;
        QThread::msleep(30);
    }
    return true;
}

void Type(const QStringList& args) { Command(QStringLiteral("xdotool"), args); }
QString Focus() { return Command(QStringLiteral("xdotool"), {"getwindowfocus"}).trimmed(); }

// The user's work: a window that records the keys it gets (xev).
class Recorder {
public:
    Recorder() {
        process_.start(QStringLiteral("xev"), {"-name", "Work", "-event", "keyboard"});
        process_.waitForStarted();
        WaitFor([&] {
            id_ = Command(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", "^Work$"})
                      .section('\n', 0, 0);
            return !id_.isEmpty();
        });
    }
    ~Recorder() {
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished();
    }
    const QString& id() const { return id_; }
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
    QProcess process_;
    QString id_, output_;
};

class KeyboardOnly : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = std::make_unique<Recorder>();
        ASSERT_FALSE(work_->id().isEmpty());
        wm_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(wm_.waitForStarted());
        ASSERT_TRUE(WaitFor([this] {
            return Command(QStringLiteral("xprop"), {"-id", work_->id(), "_NET_FRAME_EXTENTS"})
                .contains(QLatin1String("="));
        }));
        Type({"windowactivate", "--sync", work_->id()});
        ASSERT_TRUE(WaitFor([&] { return Focus() == work_->id(); }));
    }
    void TearDown() override {
        work_.reset();
        wm_.terminate();
        if (!wm_.waitForFinished(3000)) wm_.kill();
        wm_.waitForFinished();
    }
    // Sends nothing until `text` shows in the trace, which it gathers.
    bool TraceShows(LiveSim& sim, QString& trace, const QString& text) {
        return WaitFor([&] {
            trace += sim.Send(QStringLiteral("wait 0ms"));
            return trace.contains(text);
        });
    }
    QProcess wm_;
    std::unique_ptr<Recorder> work_;
};

TEST_F(KeyboardOnly, TheBannerIsDeclinedTheMenuOpensAndASettingChangesFromTheKeyboard) {
    LiveSim sim(FreshDir("data"), {QStringLiteral("--live-input")});
    QString trace = sim.Send(QStringLiteral("start\nwait 58m"));
    ASSERT_TRUE(trace.contains(QLatin1String("show frmSplash")));
    // The banner leaves the keyboard where it was; the decline key reaches
    // the program all the same, and nothing of it reaches the work.
    Type({"key", "ctrl+alt+n"});
    ASSERT_TRUE(TraceShows(sim, trace, QStringLiteral("hide frmSplash"))) << trace.toStdString();
    EXPECT_TRUE(trace.contains(QLatin1String("set frmSplash.Timer2.Enabled False")));
    EXPECT_EQ(Focus(), work_->id());
    Type({"type", "a"});
    ASSERT_TRUE(WaitFor([&] { return work_->Keys().contains(QStringLiteral("a")); }));
    EXPECT_FALSE(work_->Keys().contains(QStringLiteral("n")));
    // Once the banner is gone, the key is the desktop's again.
    Type({"key", "ctrl+alt+n"});
    ASSERT_TRUE(WaitFor([&] { return work_->Keys().contains(QStringLiteral("n")); }));

    // The next hour's rest screen: the menu key opens its menu, Escape closes it.
    trace = sim.Send(QStringLiteral("wait 2m\nwait 58m\nwait 10s"));
    ASSERT_TRUE(trace.contains(QLatin1String("set frmSplash.Timer4.Enabled True"))) << trace.toStdString();
    Type({"key", "Menu"});
    ASSERT_TRUE(TraceShows(sim, trace, QStringLiteral("popup frmSplash File"))) << trace.toStdString();
    trace.clear();
    // So does Shift+F10, once the menu has gone.
    WaitFor([&] {
        Type({"key", "Escape"});
        return sim.Send(QStringLiteral("choose About")).contains(QLatin1String("ignored choose About"));
    });
    Type({"key", "shift+F10"});
    ASSERT_TRUE(TraceShows(sim, trace, QStringLiteral("popup frmSplash File"))) << trace.toStdString();

    // Down to the first entry, Enter: the settings window, with the keyboard
    // on its first list. Down picks the next length, Tab goes to OK, Enter.
    Type({"key", "Down"});
    Type({"key", "Return"});
    ASSERT_TRUE(TraceShows(sim, trace, QStringLiteral("show frmSetting"))) << trace.toStdString();
    Type({"key", "Down"});
    ASSERT_TRUE(TraceShows(sim, trace, QStringLiteral("frmSetting.Combo1"))) << trace.toStdString();
    Type({"key", "Tab"});
    Type({"key", "Return"});
    ASSERT_TRUE(TraceShows(sim, trace, QStringLiteral("unload frmSetting"))) << trace.toStdString();
    const QString rest = sim.Send(QStringLiteral("print frmSplash.RestTim"));
    EXPECT_TRUE(rest.startsWith(QLatin1String("= 4\n"))) << rest.toStdString();
}

}  // namespace
}  // namespace vz::test
