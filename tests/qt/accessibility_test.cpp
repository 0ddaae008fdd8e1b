// What a screen reader hears of the real windows: the accessibility tree the
// program publishes on an AT-SPI bus at the banner, the rest screen, the menu
// and each small window, and the events it raises as they appear.

#include <gtest/gtest.h>

#include "atspi.h"
#include "gui_run.h"

namespace vz::test {
namespace {

std::string Said(const QStringList& texts) { return texts.join(QLatin1String(" | ")).toStdString(); }

const QString kReminder = QStringLiteral("Why not take a rest of 2 minutes.");
const QString kSlogan = QStringLiteral("Rirodov is the best Chinese school online!");

class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus_.ok()) << bus_.problem().toStdString();
        sim_ = std::make_unique<LiveSim>(FreshDir("data"), QStringList{}, bus_.Environment());
        sim_->Send(QStringLiteral("start"));
        // It joins the bus at its start, long before its first window shows.
        app_ = bus_.WaitForApplication(QStringLiteral("verezerud-sim-gui"));
        ASSERT_TRUE(app_.valid()) << "the program never joined the accessibility bus";
        bus_.Listen({QStringLiteral("object:state-changed:showing"),
                     QStringLiteral("object:state-changed:focused")});
    }
    // The program's window with this role and name.
    Node Window(const QString& role, const QString& name) {
        for (const Node& w : bus_.Children(app_))
            if (bus_.Role(w) == role && bus_.Name(w) == name) return w;
        return {};
    }
    // What was heard shown, as "role: name", from `from` on.
    QStringList Spoken(std::size_t from = 0) {
        QStringList out;
        for (std::size_t i = from; i < bus_.heard().size(); ++i) {
            const Heard& h = bus_.heard()[i];
            if (h.detail == QLatin1String("showing") && h.on == 1 &&
                h.role == QLatin1String("notification"))
                out << h.name;
        }
        return out;
    }
    bool HeardShown(const QString& role, const QString& name, std::size_t since = 0) {
        return bus_.WaitFor([&](const Heard& h) {
                       return h.detail == QLatin1String("showing") && h.on == 1 &&
                              h.role == role && h.name == name;
                   }, since).node.valid();
    }
    std::string Tree(const Node& n) { return bus_.Dump(n).toStdString(); }

    AtSpi bus_;
    std::unique_ptr<LiveSim> sim_;
    Node app_;
};

TEST_F(ScreenReader, TheFirstBannerIsANotificationSpokenOnceWithItsText) {
    sim_->Send(QStringLiteral("wait 58m"));
    ASSERT_TRUE(HeardShown(QStringLiteral("notification"), kReminder)) << Tree(app_);
    const Node banner = Window(QStringLiteral("notification"), kReminder);
    ASSERT_TRUE(banner.valid()) << Tree(app_);
    const Node text = bus_.Find(banner, QStringLiteral("label"), kReminder);
    ASSERT_TRUE(text.valid()) << Tree(banner);
    EXPECT_TRUE(bus_.Showing(text));
    // Clicking the text declines: a screen reader offers it as an action.
    EXPECT_EQ(Said(bus_.Actions(text)), "Press");
    // The hidden slogan and picture are there, and not shown.
    const Node slogan = bus_.Find(banner, QStringLiteral("label"), kSlogan);
    ASSERT_TRUE(slogan.valid());
    EXPECT_FALSE(bus_.Showing(slogan));

    // The countdown is not read out, second by second.
    const std::size_t before = bus_.heard().size();
    sim_->Send(QStringLiteral("wait 9s"));
    EXPECT_EQ(Said(Spoken()), Said({kReminder})) << "said once";
    EXPECT_EQ(Said(Spoken(before)), "");

    // A screen reader's press on the text declines, as a click does.
    EXPECT_TRUE(bus_.DoAction(text, 0));
    EXPECT_TRUE(sim_->Send(QStringLiteral("wait 0ms")).contains(QLatin1String("hide frmSplash")));
}

TEST_F(ScreenReader, TheRestScreenIsAFrameNamedByItsSloganItsStartAndEndAreSpoken) {
    // A screen reader asks what showed once it hears of it: well within the
    // countdown in real time, so the test waits for it too.
    sim_->Send(QStringLiteral("wait 58m"));
    ASSERT_TRUE(HeardShown(QStringLiteral("notification"), kReminder));
    sim_->Send(QStringLiteral("wait 10s"));
    ASSERT_TRUE(HeardShown(QStringLiteral("notification"), QStringLiteral("The rest begins.")));
    const Node rest = Window(QStringLiteral("frame"), kSlogan);
    ASSERT_TRUE(rest.valid()) << Tree(app_);
    EXPECT_TRUE(bus_.Find(rest, QStringLiteral("image"), QStringLiteral("https://www.example.org/")).valid() ||
                bus_.Find(rest, QStringLiteral("graphic"), QStringLiteral("https://www.example.org/")).valid())
        << Tree(rest);
    sim_->Send(QStringLiteral("wait 110s"));
    ASSERT_TRUE(HeardShown(QStringLiteral("notification"), QStringLiteral("The rest is over.")));
    EXPECT_EQ(Said(Spoken()), Said({kReminder, QStringLiteral("The rest begins."),
                                    QStringLiteral("The rest is over.")}));
    // Nothing of it is said again when the next banner shows.
    const std::size_t before = bus_.heard().size();
    sim_->Send(QStringLiteral("wait 58m"));
    ASSERT_TRUE(HeardShown(QStringLiteral("notification"), kReminder, before));
    EXPECT_EQ(Said(Spoken(before)), Said({kReminder}));
}

TEST_F(ScreenReader, TheMenuAndEverySmallWindowSayWhatTheyShow) {
    sim_->Send(QStringLiteral("wait 58m\nwait 10s\nclick frmSplash"));
    const Heard menu = bus_.WaitFor([&](const Heard& h) {
        return h.detail == QLatin1String("showing") && h.on == 1 &&
               h.role.contains(QLatin1String("menu"));
    });
    ASSERT_TRUE(menu.node.valid()) << "the menu never showed";
    QStringList entries;
    for (const Node& item : bus_.Children(menu.node))
        if (bus_.Role(item) == QLatin1String("menu item")) entries << bus_.Name(item);
    EXPECT_EQ(Said(entries), Said({QStringLiteral("Setting"),
                                   QStringLiteral("How long has the computer been used?"),
                                   QStringLiteral("About")}));

    sim_->Send(QStringLiteral("choose Setting"));
    ASSERT_TRUE(HeardShown(QStringLiteral("dialog"), QStringLiteral("Setting"))) << Tree(app_);
    const Node setting = Window(QStringLiteral("dialog"), QStringLiteral("Setting"));
    for (const char* label : {"Take a rest of", "minutes/hour", "Preparatory time", "seconds"})
        EXPECT_TRUE(bus_.Find(setting, QStringLiteral("label"), QString::fromUtf8(label)).valid())
            << label << "\n" << Tree(setting);
    for (const char* button : {"OK", "Cancel"})
        EXPECT_TRUE(bus_.Find(setting, QStringLiteral("push button"), QString::fromUtf8(button)).valid())
            << button;
    // Each list is named by its label, linked to it, and tells its unit.
    const Node rest = bus_.Find(setting, QStringLiteral("combo box"), QStringLiteral("Take a rest of"));
    ASSERT_TRUE(rest.valid()) << Tree(setting);
    EXPECT_EQ(bus_.Description(rest).toStdString(), "minutes/hour");
    const std::vector<Node> by = bus_.LabelledBy(rest);
    ASSERT_EQ(by.size(), 1u);
    EXPECT_EQ(bus_.Name(by[0]).toStdString(), "Take a rest of");
    const Node preparatory =
        bus_.Find(setting, QStringLiteral("combo box"), QStringLiteral("Preparatory time"));
    ASSERT_TRUE(preparatory.valid());
    EXPECT_EQ(bus_.Description(preparatory).toStdString(), "seconds");

    sim_->Send(QStringLiteral("click frmSetting.Command2\nclick frmSplash\nchoose Hour"));
    const QString hours = QStringLiteral("How long has the computer been used?");
    ASSERT_TRUE(HeardShown(QStringLiteral("dialog"), hours)) << Tree(app_);
    const Node hour = Window(QStringLiteral("dialog"), hours);
    EXPECT_TRUE(bus_.Find(hour, QStringLiteral("label"),
                          QStringLiteral("The computer has been used 1 hours since the "
                                         "installation of the Verezerud.")).valid())
        << Tree(hour);
    EXPECT_TRUE(bus_.Find(hour, QStringLiteral("label"), QStringLiteral("1")).valid());

    sim_->Send(QStringLiteral("wait 5s\nclick frmSplash\nchoose About"));
    ASSERT_TRUE(HeardShown(QStringLiteral("dialog"), QStringLiteral("About"))) << Tree(app_);
    const Node about = Window(QStringLiteral("dialog"), QStringLiteral("About"));
    for (const char* line :
         {"Verezerud", "Version 1.01", "Developer\xEF\xBC\x9A" "Ada Example",
          "Tel\xEF\xBC\x9A" "+1 202 555 0142", "E-mail\xEF\xBC\x9A" "rest@example.org", "Free!"})
        EXPECT_TRUE(bus_.Find(about, QStringLiteral("label"), QString::fromUtf8(line)).valid())
            << line << "\n" << Tree(about);
    EXPECT_TRUE(bus_.Find(about, QStringLiteral("push button"), QStringLiteral("OK")).valid());
}

}  // namespace
}  // namespace vz::test
