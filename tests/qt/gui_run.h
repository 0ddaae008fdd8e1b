#pragma once
// Runs the simulator (headless or with the real windows) and the program for the tests,
// each in a fresh data folder, and keeps the screenshots under
// build/screenshots/ for a person to look at.

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QRect>
#include <memory>
#include <vector>

namespace vz::test {

struct RunResult {
    int status = -1;
    QString out;
    QString err;
};

// The folder for this test's screenshots (made fresh), and one of its files.
QString ShotDir();
QString Shot(const QString& name);
// A fresh empty folder for this test.
QString FreshDir(const QString& what);

// Runs a whole script, in verezerud-sim-gui when `gui`.
RunResult RunSim(const QString& script, bool gui, const QString& data_dir,
                 const QStringList& more_args = {});
// The script without its `snap` lines, for the plain simulator.
QString WithoutSnaps(const QString& script);
QImage LoadShot(const QString& name);

// verezerud-sim-gui, fed one command at a time.
class LiveSim {
public:
    explicit LiveSim(const QString& data_dir, const QStringList& more_args = {},
                     const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
    ~LiveSim();
    // Sends the commands and waits until they have all run; returns their output.
    QString Send(const QString& commands);
    // Sends the commands and a snap, and returns the picture.
    QImage Snap(const QString& commands, const QString& name);

private:
    QProcess process_;
};

// Runs a command to its end (bounded), in `environment` if one is given and
// with `input` on its standard input, and returns its standard output.
QString Command(const QString& program, const QStringList& args,
                const QProcessEnvironment& environment = {}, const QByteArray& input = {});

struct XWindow {
    QString id;
    QRect geometry;
};
// The program's visible windows on the display, with where they are.
std::vector<XWindow> ProgramWindows();

}  // namespace vz::test
