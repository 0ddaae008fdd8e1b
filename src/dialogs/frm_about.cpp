#include "dialogs/frm_about.h"

#include "dialogs/window_frame.h"
#include "platform/runtime.h"

namespace vz {
namespace {
const Color kLightYellow = Rgb(255, 255, 192);
const Font kDescriptionFont{"Microsoft Sans Serif", 10.5, false};

void DesignText(Label& label, const char* caption, Color color, const Font& font) {
    label.caption_ = caption;
    label.fore_color = color;
    label.transparent = true;
    label.auto_size = true;
    label.back_color = kSystemWindowBackground;
    label.font = font;
}
}  // namespace

FrmAbout::FrmAbout(Runtime& runtime)
    : Form(runtime, kName),
      picIcon(*this, "picIcon"),
      Timer1(*this, "Timer1", kCloseAfterMs, true),
      cmdOK(*this, "cmdOK"),
      lblTitle(*this, "lblTitle"),
      lblVersion(*this, "lblVersion"),
      lblDescription{Label(*this, "lblDescription(0)"), Label(*this, "lblDescription(1)"),
                     Label(*this, "lblDescription(2)")},
      lblStatement(*this, "lblStatement"),
      Line1{Line(*this, "Line1(0)"), Line(*this, "Line1(1)")} {
    DesignBorderless(*this, 4710, 2850);
    accessible_name = "About";
    DesignBackColor(kLightYellow);

    picIcon.Design(300, 225, 480, 480, true, 7);
    picIcon.picture = "icon";
    picIcon.back_color = kLightYellow;

    cmdOK.Design(3300, 2445, 1260, 286, true, 0);
    cmdOK.caption = "OK";
    cmdOK.font = {"Microsoft Sans Serif", 9, false};
    cmdOK.is_default = cmdOK.is_cancel = true;

    lblTitle.Design(1080, 225, 2130, 375, true, 4);
    DesignText(lblTitle, "Verezerud", Rgb(0, 128, 0), {"Microsoft Sans Serif", 15.75, false});
    lblVersion.Design(1080, 645, 2130, 255, true, 5);
    DesignText(lblVersion, "Version 1.01", Rgb(0, 0, 0), kDescriptionFont);

    lblDescription[0].Design(1080, 1170, 2175, 255, true, 3);
    DesignText(lblDescription[0], "Developer\xEF\xBC\x9A" "Ada Example", kRed, kDescriptionFont);
    lblDescription[1].Design(1080, 1530, 2220, 255, true, 2);
    DesignText(lblDescription[1], "Tel\xEF\xBC\x9A" "+1 202 555 0142", Rgb(0, 0, 255),
               kDescriptionFont);
    lblDescription[2].Design(1080, 1920, 2700, 255, true, 1);
    DesignText(lblDescription[2], "E-mail\xEF\xBC\x9A" "rest@example.org", kRed,
               kDescriptionFont);

    lblStatement.Design(300, 2475, 2130, 255, true, 6);
    DesignText(lblStatement, "Free!", Rgb(0, 128, 0), kDescriptionFont);

    // An etched rule: a grey line with a white one just below it.
    Line1[1].x1 = 135, Line1[1].y1 = 2280, Line1[1].x2 = 4588, Line1[1].y2 = 2280;
    Line1[1].color = Rgb(128, 128, 128);
    Line1[0].x1 = 135, Line1[0].y1 = 2295, Line1[0].x2 = 4549, Line1[0].y2 = 2295;
    Line1[0].color = kWhite;
    Line1[0].width_px = 2;

    cmdOK.on_click = [this] { cmdOK_Click(); };
    Timer1.on_tick = [this] { Timer1_Timer(); };
}

void FrmAbout::Form_Load() { MakeTopmost(); }

void FrmAbout::cmdOK_Click() { runtime().Unload(*this); }

void FrmAbout::Timer1_Timer() { runtime().Unload(*this); }

}  // namespace vz
