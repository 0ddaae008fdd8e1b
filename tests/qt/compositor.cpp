#include "compositor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <unistd.h>

#include "gui_run.h"

namespace vz::test {

namespace {

constexpr int kStartLimitMs = 30'000;

QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void Write(const QString& path, const QString& text, bool program = false) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
    f.close();
    if (program) f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, int limit_ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit_ms) return false;
        QThread::msleep(50);
    }
    return true;
}

const char* NameOf(Compositor c) {
    switch (c) {
        case Compositor::Mutter: return "mutter";
        case Compositor::Kwin: return "kwin";
        case Compositor::Weston: return "weston";
    }
    return "";
}

bool Installed(Compositor c) {
    const char* program = c == Compositor::Mutter ? "/usr/bin/mutter"
                          : c == Compositor::Kwin ? "/usr/bin/kwin_wayland"
                                                  : "/usr/bin/weston";
    return QFile::exists(QString::fromLatin1(program)) && QFile::exists("/usr/bin/Xwayland");
}

NestedSession::NestedSession(Compositor compositor, int outputs, int scale) {
    dir_ = runtime_.path();
    if (Start(compositor, outputs, scale) && scale == 1) ArrangeOutputs(outputs);
}

NestedSession::~NestedSession() {
    // The compositor, its XWayland, its bus and what it started: one group.
    if (process_.processId() > 0) ::kill(-pid_t(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(5000)) {
        ::kill(-pid_t(process_.processId()), SIGKILL);
        process_.waitForFinished();
    }
}

bool NestedSession::Start(Compositor compositor, int outputs, int scale) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir_);
    env.insert("XDG_CONFIG_HOME", dir_ + "/config");
    env.remove("WAYLAND_DISPLAY");
    const QString host = env.value("DISPLAY");
    const QString ready = dir_ + "/ready";
    QStringList command{"dbus-run-session", "--"};
    switch (compositor) {
        case Compositor::Mutter:
            env.insert("MUTTER_DEBUG_DUMMY_MODE_SPECS", "1920x1080");
            env.insert("MUTTER_DEBUG_NUM_DUMMY_MONITORS", QString::number(outputs));
            command << "mutter" << "--nested" << "--wayland" << "--wayland-display=" + socket_;
            break;
        case Compositor::Kwin: {
            // The packaged program carries a file capability that a container
            // refuses to run; a plain copy runs.
            const QString kwin = dir_ + "/kwin_wayland";
            QFile::copy("/usr/bin/kwin_wayland", kwin);
            // Its screen locker would lock the idle nested session.
            QDir().mkpath(dir_ + "/config");
            Write(dir_ + "/config/kscreenlockerrc", "[Daemon]\nAutolock=false\nLockOnResume=false\nTimeout=0\n");
            Write(dir_ + "/config/kwinrc", QString("[Xwayland]\nScale=%1\n").arg(scale));
            env.insert("KWIN_COMPOSE", "Q");  // no OpenGL on a virtual display
            // A program kwin starts once XWayland runs tells its display.
            Write(dir_ + "/ready.sh", "#!/bin/sh\necho \"$DISPLAY $XAUTHORITY\" > '" + ready + "'\nexec sleep 100000\n",
                  true);
            command << kwin << "--x11-display" << host << "--xwayland" << "--socket" << socket_
                    << "--width" << "1920" << "--height" << "1080" << "--output-count"
                    << QString::number(outputs) << "--scale" << QString::number(scale)
                    << dir_ + "/ready.sh";
            break;
        }
        case Compositor::Weston:
            command << "weston" << "--backend=x11-backend.so" << "--xwayland"
                    << "--socket=" + socket_ << "--width=1920" << "--height=1080"
                    << "--output-count=" + QString::number(outputs) << "--idle-time=0";
            break;
    }
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(dir_ + "/log");
    process_.setChildProcessModifier([] { ::setsid(); });
    process_.start(command.takeFirst(), command);
    if (!process_.waitForStarted()) {
        error_ = "cannot start " + QString::fromLatin1(NameOf(compositor));
        return false;
    }
    // XWayland's display, as each compositor tells it.
    const bool started = WaitFor(
        [&] {
            if (process_.state() != QProcess::Running) return true;
            const QString log = Read(dir_ + "/log");
            if (compositor == Compositor::Kwin) {
                const QStringList words = Read(ready).trimmed().split(' ');
                x_display_ = words.value(0);
                xauthority_ = words.value(1);
            } else {
                static const QRegularExpression shown(
                    QStringLiteral("(?:public X11 display|xserver listening on display) (:\\d+)"));
                x_display_ = shown.match(log).captured(1);
                const QStringList auth = QDir(dir_).entryList({".mutter-Xwaylandauth.*"},
                                                              QDir::Files | QDir::Hidden);
                if (!auth.isEmpty()) xauthority_ = dir_ + "/" + auth.first();
            }
            return !x_display_.isEmpty() && QFile::exists(dir_ + "/" + socket_);
        },
        kStartLimitMs);
    if (!started || process_.state() != QProcess::Running) {
        error_ = QString::fromLatin1(NameOf(compositor)) + " did not come up: " + Read(dir_ + "/log");
        return false;
    }
    // XWayland answers (weston starts it on the first client).
    if (!WaitFor([&] { return Command("xdpyinfo", {}, X11Client()).contains("name of display"); },
                 kStartLimitMs)) {
        error_ = "XWayland " + x_display_ + " does not answer";
        return false;
    }
    if (scale != 1) Command("xrdb", {"-merge"}, X11Client(), QString("Xft.dpi: %1\n").arg(96 * scale).toUtf8());
    return true;
}

bool NestedSession::ArrangeOutputs(int outputs) {
    // The outputs' windows on the test's display (its only windows as large
    // as an output), moved side by side where the compositor opened them one
    // over another.
    static const QRegularExpression child(
        QStringLiteral("^\\s+(0x[0-9a-f]+) .*\\s(\\d+)x(\\d+)\\+-?\\d+\\+-?\\d+\\s"),
        QRegularExpression::MultilineOption);
    std::vector<std::pair<QString, int>> windows;  // id, width
    WaitFor(
        [&] {
            windows.clear();
            const QString tree = Command("xwininfo", {"-root", "-children"});
            for (auto m = child.globalMatch(tree); m.hasNext();) {
                const auto match = m.next();
                if (match.captured(2).toInt() >= 1920 && match.captured(3).toInt() >= 1080)
                    windows.emplace_back(match.captured(1), match.captured(2).toInt());
            }
            int shown = 0;
            for (const auto& [id, width] : windows) shown += width / 1920;
            return shown >= outputs;
        },
        kStartLimitMs);
    std::sort(windows.begin(), windows.end());
    int x = 0;
    for (const auto& [id, width] : windows) {
        Command("xdotool", {"windowmove", "--sync", id, QString::number(x), "0"});
        for (int left = x; left < x + width; left += 1920) outputs_.emplace_back(left, 0, 1920, 1080);
        x += width;
    }
    if (int(outputs_.size()) != outputs) {
        error_ = QString("%1 outputs shown, not %2").arg(outputs_.size()).arg(outputs);
        return false;
    }
    return true;
}

QProcessEnvironment NestedSession::X11Client() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir_);
    env.insert("DISPLAY", x_display_);
    if (!xauthority_.isEmpty()) env.insert("XAUTHORITY", xauthority_);
    env.insert("WAYLAND_DISPLAY", socket_);
    env.insert("XDG_SESSION_TYPE", "wayland");
    return env;
}

QProcessEnvironment NestedSession::WaylandClient() const {
    QProcessEnvironment env = X11Client();
    env.remove("DISPLAY");
    return env;
}

Terminal::Terminal(const NestedSession& session, const QString& file) : file_(file) {
    QFile::remove(file_);
    Write(file_ + ".sh", "#!/bin/sh\nexec cat > '" + file_ + "'\n", true);
    process_.setProcessEnvironment(session.WaylandClient());
    process_.start("weston-terminal", {"--shell=" + file_ + ".sh"});
    process_.waitForStarted();
}

Terminal::~Terminal() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
    process_.waitForFinished();
}

QString Terminal::Typed() const { return Read(file_); }

}  // namespace vz::test
