#pragma once
// A Wayland desktop for the tests: one of the compositors Debian ships
// (mutter as in GNOME, kwin as in KDE, weston), nested in windows on the
// test's X display, each output a window of its own or a part of one, with
// XWayland beside it, as a user's Wayland session has them. Programs run in
// it as X clients through XWayland or as native Wayland clients; what the
// user would type reaches them through the nested windows (xdotool on the
// test's display), and what the user would see is a picture of that display.

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <vector>

namespace vz::test {

// Whether `done` comes to hold, asked every 50 ms, within the limit.
bool WaitFor(const std::function<bool()>& done, int limit_ms = 10'000);

enum class Compositor { Mutter, Kwin, Weston };
const char* NameOf(Compositor compositor);
bool Installed(Compositor compositor);

class NestedSession {
public:
    // `outputs` of 1920x1080 each, side by side on the test's display. At a
    // `scale` of 2 (kwin only) XWayland's programs draw at the outputs' own
    // resolution, told so by Xft.dpi, as KDE's "Apply scaling themselves" does.
    NestedSession(Compositor compositor, int outputs, int scale = 1);
    ~NestedSession();
    NestedSession(const NestedSession&) = delete;
    NestedSession& operator=(const NestedSession&) = delete;

    // Whether the compositor and its XWayland answer; why not, if not.
    bool Ready() const { return error_.isEmpty(); }
    const QString& Error() const { return error_; }

    // The environment of a program of the session: an X client sees XWayland
    // and knows the session is Wayland's; a native one sees the compositor.
    QProcessEnvironment X11Client() const;
    QProcessEnvironment WaylandClient() const;
    // Where each output shows on the test's display.
    const std::vector<QRect>& Outputs() const { return outputs_; }

private:
    bool Start(Compositor compositor, int outputs, int scale);
    bool ArrangeOutputs(int outputs);

    QTemporaryDir runtime_{QStringLiteral("/tmp/vz-wayland-XXXXXX")};  // sockets: a short path
    QProcess process_;
    QString dir_;          // the session's runtime folder and files
    QString socket_ = QStringLiteral("wayland-vz");
    QString x_display_;    // XWayland's, ":N"
    QString xauthority_;
    std::vector<QRect> outputs_;
    QString error_;
};

// A native Wayland terminal that keeps what is typed into it, a line at a time.
class Terminal {
public:
    Terminal(const NestedSession& session, const QString& file);
    ~Terminal();
    QString Typed() const;

private:
    QProcess process_;
    QString file_;
};

}  // namespace vz::test
