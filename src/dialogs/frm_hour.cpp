#include "dialogs/frm_hour.h"

#include "dialogs/window_frame.h"
#include "platform/runtime.h"

namespace vz {

FrmHour::FrmHour(Runtime& runtime)
    : Form(runtime, kName),
      Label1(*this, "Label1"),
      Label2(*this, "Label2"),
      Timer1(*this, "Timer1", kCloseAfterMs, true) {
    DesignDialog(*this, 7965, 630);
    accessible_name = "How long has the computer been used?";
    Label1.Design(165, 180, 7605, 240, true, 0);
    Label1.caption_ =
        "The computer has been used               hours since the installation of the "
        "Verezerud.";
    Label1.auto_size = true;
    Label1.alignment = Alignment::Center;
    Label1.font = {"MS Sans Serif", 9.75, false};

    Label2.Design(2820, 180, 615, 300, true, 1);
    Label2.caption_ = "0";
    Label2.alignment = Alignment::Right;
    Label2.fore_color = kRed;
    Label2.back_color = kSystemWindowBackground;
    Label2.transparent = true;
    Label2.font = {"MS Sans Serif", 9.75, false};

    Timer1.on_tick = [this] { Timer1_Timer(); };
}

void FrmHour::Form_Load() { MakeTopmost(); }

void FrmHour::Timer1_Timer() { runtime().Unload(*this); }

}  // namespace vz
