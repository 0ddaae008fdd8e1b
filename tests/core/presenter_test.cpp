// The front-end contract with a front end that only writes down what it is
// told: when real windows are made, shown, stacked and destroyed, when the
// rest holds the input, and where the layout puts windows and controls.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include "app/program.h"
#include "frontend/presenter.h"
#include "harness.h"
#include "reminder/frm_splash.h"
#include "platform/controls.h"

namespace vz::test {
namespace {

std::string Name(Surface* s);

class RecordingFrontEnd : public FrontEnd {
public:
    struct Window : Surface {
        Window(Lines& l, std::string n) : log(l), name(std::move(n)) {}
        void Place() override {}
        void Paint(const Control&) override {}
        void Show(Surface* owner) override {
            log.push_back("show " + name + (owner ? " over " + Name(owner) : ""));
        }
        void Hide() override { log.push_back("hide " + name); }
        void Detach() override { log.push_back("detach " + name); }
        Lines& log;
        std::string name;
    };

    Lines log;
    // What a screen reader was told unasked, and when the decline key holds,
    // apart from the rest.
    Lines said;
    std::deque<std::function<void()>> later;

    // What the toolkit's loop does once the current event is done.
    void RunLater() {
        while (!later.empty()) {
            auto task = std::move(later.front());
            later.pop_front();
            task();
        }
    }
    Lines Take() { return std::exchange(log, {}); }

    void Attach(Presenter*) override {}
    Surface* Make(Form& form) override {
        windows_.push_back(std::make_unique<Window>(log, form.name()));
        log.push_back("make " + form.name());
        return windows_.back().get();
    }
    void Stack(const std::vector<Surface*>& order) override {
        std::string line = "stack";
        for (Surface* s : order) line += " " + Name(s);
        log.push_back(line);
    }
    void Destroy(Surface& s) override { log.push_back("destroy " + Name(&s)); }
    void OpenMenu(Surface& s, const Menu& menu, std::optional<Point> at) override {
        log.push_back("menu " + menu.name + " over " + Name(&s) +
                      (at ? " at " + std::to_string(at->x) + "," + std::to_string(at->y) : ""));
    }
    void CloseMenu() override { log.push_back("close menu"); }
    void Rest(Surface* s) override { log.push_back("rest " + (s ? Name(s) : "over")); }
    void Banner(Surface* s) override { said.push_back("decline key " + (s ? "on " + Name(s) : "off")); }
    void Announce(Surface& s, const std::string& text) override {
        said.push_back(Name(&s) + ": " + text);
    }
    void Later(std::function<void()> task) override { later.push_back(std::move(task)); }
    // Seven pixels a character, thirteen high.
    Size TextSize(const Font&, const std::string& text) override {
        return Size{7 * int(text.size()), 13};
    }

private:
    std::vector<std::unique_ptr<Window>> windows_;
};

std::string Name(Surface* s) { return static_cast<RecordingFrontEnd::Window*>(s)->name; }

class Contract : public ::testing::Test {
protected:
    Runtime& rt() { return run_.sim().program().runtime(); }
    Surface& Of(const char* name) { return *presenter_->Build(name); }
    void Attach() { presenter_ = std::make_unique<Presenter>(rt(), front_); }

    SimRun run_;
    RecordingFrontEnd front_;
    std::unique_ptr<Presenter> presenter_;
};

TEST_F(Contract, ARealWindowIsMadeWhenItsWindowFirstShowsAlsoOneLoadedBeforeTheFrontEnd) {
    run_.Do("start\nwait 58m");  // the banner is up before the front end comes
    Attach();
    EXPECT_EQ(front_.Take(), (Lines{"make frmSplash", "show frmSplash", "stack frmSplash"}));
    run_.Do("click frmSplash.Label2\nwait 1h");  // put away; the next banner reuses the window
    EXPECT_EQ(front_.Take(),
              (Lines{"hide frmSplash", "hide frmSplash", "show frmSplash", "stack frmSplash"}));
}

TEST_F(Contract, TheRestHoldsTheInputFromItsScreenToTheEndOfTheHourOrOfTheProgram) {
    Attach();
    run_.Do("start\nwait 58m\nwait 9s");
    EXPECT_EQ(front_.Take(), (Lines{"stack", "make frmSplash", "show frmSplash", "stack frmSplash"}))
        << "the banner and its countdown hold nothing";
    run_.Do("wait 1s");
    EXPECT_EQ(front_.Take(), (Lines{"rest frmSplash", "stack frmSplash"}));
    run_.Do("wait 110s");
    EXPECT_EQ(front_.Take(), (Lines{"hide frmSplash", "rest over"}));
    run_.Do("wait 58m\nwait 10s\nstop");
    EXPECT_EQ(front_.Take(), (Lines{"show frmSplash", "stack frmSplash", "rest frmSplash",
                                    "stack frmSplash", "detach frmSplash", "rest over"}));
    front_.RunLater();
    EXPECT_EQ(front_.Take(), Lines{"destroy frmSplash"});
}

TEST_F(Contract, TheMenuOpensOnceTheClickIsDoneAndSmallWindowsStackAboveTheRestScreen) {
    Attach();
    run_.Do("start\nwait 58m\nwait 10s");
    front_.Take();
    presenter_->Click(Of("frmSplash"), nullptr, Point{30, 40});
    EXPECT_TRUE(front_.Take().empty()) << "not inside the handler that asked for it";
    front_.RunLater();
    EXPECT_EQ(front_.Take(), Lines{"menu File over frmSplash at 30,40"});
    presenter_->Choose("About");
    EXPECT_EQ(front_.Take(), (Lines{"close menu", "stack frmSplash", "make frmAbout",
                                    "show frmAbout over frmSplash", "stack frmSplash frmAbout"}));
    // OK closes it from its own button: the real window goes only afterwards.
    auto* about = rt().Find("frmAbout");
    presenter_->Click(Of("frmAbout"), about->FindControl("cmdOK"));
    EXPECT_EQ(front_.Take(), Lines{"detach frmAbout"});
    front_.RunLater();
    EXPECT_EQ(front_.Take(), Lines{"destroy frmAbout"});
    // A menu that the model closes before it could open never opens.
    presenter_->Click(Of("frmSplash"), nullptr);
    run_.Do("wait 2m");
    front_.Take();
    front_.RunLater();
    EXPECT_TRUE(front_.Take().empty());
}

TEST_F(Contract, AScreenReaderHearsTheBannerOnceWithItsTextAndTheRestBeginAndEnd) {
    Attach();
    run_.Do("start\nwait 58m");
    EXPECT_EQ(std::exchange(front_.said, {}), Lines{"decline key on frmSplash"})
        << "nothing said before the banner's text is set";
    front_.RunLater();
    EXPECT_EQ(std::exchange(front_.said, {}),
              Lines{"frmSplash: Why not take a rest of 2 minutes."});
    // Hovering changes the text on screen, and nothing is said again.
    presenter_->Hover(Of("frmSplash"), rt().Find("frmSplash")->FindControl("Label2"));
    presenter_->Hover(Of("frmSplash"), nullptr);
    front_.RunLater();
    EXPECT_TRUE(front_.said.empty());
    // The countdown is not read out; the rest's start and its end are.
    run_.Do("wait 9s");
    front_.RunLater();
    EXPECT_TRUE(front_.said.empty());
    run_.Do("wait 1s");
    run_.Do("wait 110s");
    front_.RunLater();
    EXPECT_EQ(std::exchange(front_.said, {}),
              (Lines{"frmSplash: The rest begins.", "decline key off",
                     "frmSplash: The rest is over."}));
    // A declined banner says nothing more; the next hour's banner is heard again.
    run_.Do("wait 58m");
    front_.RunLater();
    presenter_->Decline(Of("frmSplash"));
    run_.Do("wait 1h");
    front_.RunLater();
    EXPECT_EQ(front_.said, (Lines{"decline key on frmSplash",
                                  "frmSplash: Why not take a rest of 2 minutes.",
                                  "decline key off", "decline key on frmSplash",
                                  "frmSplash: Why not take a rest of 2 minutes."}));
}

TEST_F(Contract, TheKeyboardDeclinesTheBannerAndOpensTheRestScreensMenu) {
    Attach();
    const auto not_now = [&] { return rt().Find("frmSplash")->Variable("NotNow")->boolean; };
    run_.Do("start\nwait 58m");
    front_.Take();
    // The menu key on the banner is a click on it, which opens nothing.
    presenter_->MenuKey(Of("frmSplash"), Point{5, 30});
    front_.RunLater();
    EXPECT_TRUE(front_.Take().empty());
    // Escape on the banner declines it, as clicking its text away does.
    presenter_->Press(Of("frmSplash"), Key::Escape);
    EXPECT_TRUE(not_now());
    EXPECT_EQ(front_.Take(), Lines{"hide frmSplash"});
    // The next hour's rest screen: the text is hidden and nothing declines.
    run_.Do("wait 1h\nwait 10s");
    front_.Take();
    presenter_->Decline(Of("frmSplash"));
    EXPECT_FALSE(not_now());
    EXPECT_TRUE(front_.Take().empty());
    presenter_->MenuKey(Of("frmSplash"), Point{960, 540});
    front_.RunLater();
    EXPECT_EQ(front_.Take(), Lines{"menu File over frmSplash at 960,540"});
}

TEST_F(Contract, InputFromARealWindowWhoseModelWindowIsGoneReachesNothing) {
    Attach();
    run_.Do("start\nwait 58m\nwait 10s\nclick frmSplash\nchoose Hour");
    Surface& hour = Of("frmHour");
    const Lines closed = run_.Do("wait 5s");
    ASSERT_FALSE(rt().Find("frmHour"));
    EXPECT_EQ(presenter_->FormOf(hour), nullptr);
    presenter_->Click(hour, nullptr);
    presenter_->Hover(hour, nullptr);
    EXPECT_EQ(run_.Do(""), Lines{}) << "no trace, not even an ignored click";
}

TEST_F(Contract, LabelsThatSizeThemselvesKeepToTheirBoxByTheirAlignment) {
    Attach();
    run_.Do("start\nwait 58m\nwait 10s\nclick frmSplash\nchoose Hour");
    const Layout& layout = presenter_->layout();
    const Form& hour = *rt().Find("frmHour");
    // Label1 (centred, 7605 twips from 165) and Label2 (right-aligned, not sized).
    const auto& sentence = static_cast<const Label&>(*hour.FindControl("Label1"));
    const Box box = layout.ControlBox(sentence);
    EXPECT_EQ(box.width, 7 * int(sentence.Caption().size()));
    EXPECT_EQ(box.height, 13);
    EXPECT_EQ(box.x - 3, 11 + (507 - box.width) / 2) << "centred in its design box, inside the frame";
    EXPECT_EQ(layout.ControlBox(*hour.FindControl("Label2")), (Box{191, 15, 41, 20}));
    EXPECT_EQ(layout.Outer(hour), (Box{692, 516, 537, 48}));
}

TEST(Layout, SizesFollowTheDotsPerInchAndClicksFindTheTopmostShownControl) {
    SimRun run;
    run.Do("start\nwait 58m");
    Form& splash = *run.sim().program().Splash();
    const Layout at96(96, nullptr), at144(144, nullptr);
    EXPECT_EQ(at96.Outer(splash), (Box{0, 0, 1920, 28}));
    EXPECT_EQ(at144.Outer(splash), (Box{0, 0, 2880, 42}));
    // The banner's text band takes clicks; below it, the window's own surface.
    EXPECT_EQ(at96.ControlAt(splash, Point{5, 5}), splash.FindControl("Label2"));
    const std::optional<Point> free = at96.FreePoint(splash);
    ASSERT_TRUE(free);
    EXPECT_EQ(at96.ControlAt(splash, *free), nullptr);
    EXPECT_GE(free->y, 23);
    run.Do("wait 10s");  // the rest screen: the text band is hidden and takes nothing
    EXPECT_EQ(at96.ControlAt(splash, Point{5, 5}), nullptr);
    EXPECT_EQ(at96.FreePoint(splash), (Point{1440, 810}));
}

}  // namespace
}  // namespace vz::test
