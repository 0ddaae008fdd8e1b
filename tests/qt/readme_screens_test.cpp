// The README's pictures stay true: remade from tools/screens.sim through the
// real windows, they match the committed ones but for font rendering.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "gui_run.h"

namespace vz::test {
namespace {

TEST(ReadmeScreens, MatchWhatTheScriptMakesNow) {
    QFile f(QStringLiteral(VZ_SOURCE_DIR "/tools/screens.sim"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString script = QString::fromUtf8(f.readAll()).replace(QStringLiteral("snap "),
                                                                  "snap " + ShotDir() + "/");
    const RunResult r = RunSim(script, true, FreshDir("data"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString made = FreshDir("made");
    Command(QStringLiteral(VZ_GEN_SCREENS), {ShotDir(), made});

    const QDir committed(QStringLiteral(VZ_SOURCE_DIR "/docs/screens"));
    const QStringList names = committed.entryList({QStringLiteral("*.png")}, QDir::Files);
    EXPECT_EQ(names, QDir(made).entryList({QStringLiteral("*.png")}, QDir::Files));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_LT(QFileInfo(committed.filePath(name)).size(), 60 * 1024);
        const QImage want = QImage(committed.filePath(name)).convertToFormat(QImage::Format_RGB32);
        const QImage got = QImage(QDir(made).filePath(name)).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(got.size(), want.size());
        int differing = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x) {
                const QRgb a = want.pixel(x, y), b = got.pixel(x, y);
                differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                       std::abs(qBlue(a) - qBlue(b))}) > 96;
            }
        // Glyphs drawn a little differently move a few edge pixels, no more.
        EXPECT_LE(differing, want.width() * want.height() / 100) << differing << " pixels differ";
    }
}

}  // namespace
}  // namespace vz::test
