// The design fonts on this desktop: every fixed text of every window fits
// the box its design gives it, in the font that stands in for the design's,
// and every character the real windows show has a glyph to draw it with.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>
#include <memory>
#include <sstream>

#include "app/program.h"
#include "gui_run.h"
#include "platform/controls.h"
#include "platform/runtime.h"
#include "qt/control_views.h"
#include "qt/fonts.h"
#include "qt/form_window.h"
#include "frontend/presenter.h"
#include "qt/front_end.h"
#include "qt/units.h"
#include "sim/simulator.h"
#include "suites.h"

namespace vz::test {
namespace {

VZ_SUITE_OFFSCREEN("Fonts");

// A fresh program in the simulator, whose windows the tests look at.
class Fonts : public ::testing::Test {
protected:
    Fonts() {
        options_.data_dir = FreshDir("data").toStdString();
        sim_ = std::make_unique<Simulator>(options_, out_, err_);
    }
    Runtime& rt() { return sim_->program().runtime(); }

    std::ostringstream out_, err_;
    SimOptions options_;
    std::unique_ptr<Simulator> sim_;
};

TEST_F(Fonts, EveryFixedTextFitsItsDesignBox) {
    for (const char* window : {"frmSplash", "frmSetting", "frmHour", "frmAbout"}) {
        Form& form = rt().Ref(window);
        for (Control* c : form.Controls()) {
            QString text;
            Font font;
            bool grows = false;  // an auto-sized label is as wide as its text
            if (c->kind() == Control::Kind::Label) {
                auto* label = static_cast<Label*>(c);
                text = QString::fromStdString(label->Caption());
                font = label->font;
                grows = label->auto_size;
            } else if (c->kind() == Control::Kind::CommandButton) {
                auto* button = static_cast<CommandButton*>(c);
                text = QString::fromStdString(button->caption);
                font = button->font;
            } else {
                continue;
            }
            if (text.isEmpty() || c->Path() == "frmSplash.Label2") continue;  // set at run time
            const QFontMetrics metrics(qt::ToQFont(font));
            const Box box = PxBox(0, 0, c->Width(), c->Height(), kStandardDpi);
            SCOPED_TRACE(c->Path());
            const int width = metrics.horizontalAdvance(text);
            if (grows)  // its box is its text's; it still stays inside the window
                EXPECT_LE(Px(c->Left(), kStandardDpi) + width, Px(form.Width(), kStandardDpi) - 6) << text.toStdString();
            else
                EXPECT_LE(width, box.width) << text.toStdString();
            EXPECT_LE(metrics.ascent() + metrics.descent(), box.height + 1);
        }
    }
    // The banner's longest reminder, across the narrowest common screen.
    const QFontMetrics banner(qt::ToQFont({"Microsoft Sans Serif", 14.25, false}));
    EXPECT_LE(banner.horizontalAdvance("Why not take a rest of 10 minutes."), 800);
    EXPECT_LE(banner.ascent() + banner.descent(), Px(351, kStandardDpi));
}

// Through the front end itself: each window built as the program builds it,
// with the reminder's banner text as the hour's end brings it, and each
// character looked up in the font (with its fallbacks) the widget draws in.
TEST_F(Fonts, EveryCharacterShownHasAGlyph) {
    qt::QtFrontEnd front_end(QSize(1024, 768));
    Presenter presenter(rt(), front_end);
    int line = 0;
    for (const char* command : {"start", "wait 58m"}) ASSERT_TRUE(sim_->RunLine(command, ++line)) << err_.str();
    int checked = 0;
    for (const char* name : {"frmSplash", "frmSetting", "frmHour", "frmAbout"}) {
        rt().Load(name);
        auto* window = static_cast<qt::FormWindow*>(presenter.Build(name));
        ASSERT_TRUE(window) << name;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            QStringList texts;
            if (auto* label = dynamic_cast<qt::LabelView*>(widget)) texts << label->Text();
            if (auto* button = dynamic_cast<qt::ButtonView*>(widget)) texts << button->text();
            if (auto* combo = dynamic_cast<qt::ComboView*>(widget))
                for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
            const QFontMetrics metrics(widget->font());
            for (const QString& text : texts)
                for (const char32_t c : text.toUcs4()) {
                    ++checked;
                    EXPECT_TRUE(metrics.inFontUcs4(c))
                        << widget->objectName().toStdString() << ": U+" << std::hex << unsigned(c)
                        << " in \"" << text.toStdString() << "\", font "
                        << widget->font().family().toStdString();
                }
        }
    }
    EXPECT_GT(checked, 200);
}

}  // namespace
}  // namespace vz::test
