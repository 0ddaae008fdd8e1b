#include "gui_run.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

namespace vz::test {

namespace {
constexpr int kRunLimitMs = 60'000;
constexpr int kStepLimitMs = 20'000;

QString TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? QString::fromStdString(std::string(info->test_suite_name()) + "." + info->name())
                : QStringLiteral("unnamed");
}
}  // namespace

QString ShotDir() {
    const QString dir = QStringLiteral(VZ_SCREENSHOT_DIR "/") + TestName();
    QDir().mkpath(dir);
    return dir;
}

QString Shot(const QString& name) { return ShotDir() + "/" + name + ".png"; }

QString FreshDir(const QString& what) {
    const QString dir = QStringLiteral(VZ_WORK_DIR "/") + TestName() + "/" + what;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

RunResult RunSim(const QString& script, bool gui, const QString& data_dir,
                 const QStringList& more_args) {
    QProcess p;
    p.start(gui ? QStringLiteral(VZ_SIM_GUI) : QStringLiteral(VZ_SIM),
            QStringList{QStringLiteral("--data-dir"), data_dir} + more_args);
    p.waitForStarted();
    p.write(script.toUtf8());
    p.closeWriteChannel();
    RunResult r;
    if (!p.waitForFinished(kRunLimitMs)) {
        p.kill();
        p.waitForFinished();
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString WithoutSnaps(const QString& script) {
    QStringList kept;
    for (const QString& line : script.split('\n'))
        if (!line.trimmed().startsWith(QLatin1String("snap "))) kept << line;
    return kept.join('\n');
}

QImage LoadShot(const QString& name) {
    return QImage(Shot(name)).convertToFormat(QImage::Format_RGB32);
}

LiveSim::LiveSim(const QString& data_dir, const QStringList& more_args,
                 const QProcessEnvironment& environment) {
    process_.setProcessEnvironment(environment);
    process_.start(QStringLiteral(VZ_SIM_GUI), QStringList{QStringLiteral("--data-dir"), data_dir} + more_args);
    process_.waitForStarted();
}

LiveSim::~LiveSim() {
    process_.closeWriteChannel();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished();
    }
}

QString LiveSim::Send(const QString& commands) {
    // A print after the commands answers only once they have all run.
    process_.write((commands + "\nprint file sync\n").toUtf8());
    process_.waitForBytesWritten();
    QString out;
    QElapsedTimer clock;
    clock.start();
    while (!out.endsWith(QLatin1String("= missing\n")) && clock.elapsed() < kStepLimitMs) {
        if (process_.state() != QProcess::Running) break;
        process_.waitForReadyRead(200);
        out += QString::fromUtf8(process_.readAllStandardOutput());
    }
    return out;
}

QImage LiveSim::Snap(const QString& commands, const QString& name) {
    Send(commands + "\nsnap " + Shot(name));
    return LoadShot(name);
}

QString Command(const QString& program, const QStringList& args,
                const QProcessEnvironment& environment, const QByteArray& input) {
    QProcess p;
    if (!environment.isEmpty()) p.setProcessEnvironment(environment);
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(kStepLimitMs)) {
        p.kill();
        p.waitForFinished();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::vector<XWindow> ProgramWindows() {
    std::vector<XWindow> out;
    const QString ids = Command(QStringLiteral("xdotool"),
                                {"search", "--onlyvisible", "--name", "^Verezerud$"});
    for (const QString& id : ids.split('\n', Qt::SkipEmptyParts)) {
        const QString info = Command(QStringLiteral("xwininfo"), {"-id", id});
        const auto num = [&](const char* label) {
            const QRegularExpression re(QString::fromLatin1(label) + QStringLiteral(":\\s+(-?\\d+)"));
            return re.match(info).captured(1).toInt();
        };
        out.push_back({id, QRect(num("Absolute upper-left X"), num("Absolute upper-left Y"),
                                 num("Width"), num("Height"))});
    }
    return out;
}

}  // namespace vz::test
