#include "qt/desktop_motion.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace vz::qt {

namespace {
constexpr int kAskLimitMs = 2000;
}  // namespace

bool GnomeReducesMotion(const QString& printed) { return printed.trimmed() == QLatin1String("false"); }

bool KdeReducesMotion(const QString& kdeglobals) {
    if (!QFileInfo::exists(kdeglobals)) return false;
    const QSettings settings(kdeglobals, QSettings::IniFormat);
    bool ok = false;
    const double factor = settings.value(QStringLiteral("KDE/AnimationDurationFactor")).toDouble(&ok);
    return ok && factor == 0;
}

bool DesktopReducesMotion() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (KdeReducesMotion(QDir(config).filePath(QStringLiteral("kdeglobals")))) return true;
    // gsettings is there where GNOME's settings are; elsewhere nothing is asked.
    if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty()) return false;
    QProcess ask;
    ask.start(QStringLiteral("gsettings"),
              {"get", "org.gnome.desktop.interface", "enable-animations"});
    if (!ask.waitForFinished(kAskLimitMs)) {
        ask.kill();
        ask.waitForFinished();
        return false;
    }
    return ask.exitCode() == 0 && GnomeReducesMotion(QString::fromUtf8(ask.readAllStandardOutput()));
}

Motion MotionFor(MotionChoice choice) {
    return Resolve(choice, choice == MotionChoice::Desktop && DesktopReducesMotion());
}

}  // namespace vz::qt
