// The front end adds nothing and loses nothing: a scenario run with the real windows,
// its input going through real widgets, prints the same trace as without.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "gui_run.h"

namespace vz::test {
namespace {

// Every kind of input, on every window, including input the model ignores.
const char* const kEveryInput = R"(start
hover frmSplash.Label2
click frmSplash
wait 58m
hover frmSplash.Label2
hover frmSplash
hover frmSplash.Label2
click frmSplash
key Enter
wait 10s
click frmSplash.Label1
click frmSplash.Image1
click frmSplash
choose Fen1
click frmSplash
dismiss
click frmSplash
choose Setting
click frmSplash
select frmSetting.Combo1 3
select frmSetting.Combo2 5
key Enter
key Escape
click frmSetting.Command1
print frmSplash.RestTim
print frmSplash.Preparat
click frmSplash
choose Hour
hover frmSplash
wait 5s
click frmSplash
choose About
key Escape
click frmSplash
choose About
click frmAbout.cmdOK
click frmSplash
choose Setting
select frmSetting.Combo1 0
click frmSetting.Command2
print file SettingT.tim
wait 2m
click frmSplash
wait 58m
click frmSplash.Label2
wait 3m
stop
)";

// With `error`, the script stops there with status 2 and both runs say so.
void ExpectSameTrace(const QString& script, const QStringList& args = {}, const QString& error = "") {
    const QString plain_dir = FreshDir("plain"), gui_dir = FreshDir("gui");
    const RunResult plain = RunSim(WithoutSnaps(script), false, plain_dir, args);
    const RunResult gui = RunSim(script, true, gui_dir, args);
    EXPECT_EQ(plain.status, error.isEmpty() ? 0 : 2) << plain.err.toStdString();
    EXPECT_GT(plain.out.count('\n'), error.isEmpty() ? 20 : 0);
    EXPECT_EQ(gui.status, plain.status) << gui.err.toStdString();
    EXPECT_TRUE(gui.err.contains(error) && plain.err.contains(error)) << gui.err.toStdString();
    // Error lines name the data folder, which differs between the two runs.
    EXPECT_EQ(QString(gui.out).replace(gui_dir, "<data>").toStdString(),
              QString(plain.out).replace(plain_dir, "<data>").toStdString());
}

TEST(Trace, EveryKindOfInputGivesTheSameTraceWithTheRealWindows) {
    ExpectSameTrace(QString::fromUtf8(kEveryInput));
}

TEST(Trace, TheProjectScenariosGiveTheSameTraceWithTheRealWindows) {
    int scripts = 0;
    const QDir dir(QStringLiteral(VZ_SCENARIO_DIR));
    for (const QString& name : dir.entryList({QStringLiteral("*.sim")}, QDir::Files)) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        SCOPED_TRACE(name.toStdString());
        // The scenario's own arguments (its options, its screen), as its test gives them.
        QStringList args;
        QFile args_file(dir.filePath(QFileInfo(name).completeBaseName() + ".args"));
        if (args_file.open(QIODevice::ReadOnly))
            args = QString::fromUtf8(args_file.readAll()).simplified().split(' ', Qt::SkipEmptyParts);
        ExpectSameTrace(QString::fromUtf8(f.readAll()), args);
        ++scripts;
    }
    EXPECT_GE(scripts, 3);
}

TEST(Trace, ScriptErrorsAreReportedAsWithoutTheWindows) {
    ExpectSameTrace("start\nclick frmNowhere\n", {}, "line 2: bad target");
}

}  // namespace
}  // namespace vz::test
