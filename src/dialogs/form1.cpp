#include "dialogs/form1.h"

#include <cmath>

#include "dialogs/frm_hour.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "reminder/frm_splash.h"

namespace vz {

Form1::Form1(Runtime& runtime) : Form(runtime, kName) {
    caption = "Verezerud";
    icon = "icon";
    border_style = BorderStyle::FixedSingle;
    DesignRole(WindowRole::MenuCarrier);
    centre_on_load = true;
    AddMenu({"File",
             "File",
             {
                 {"Setting", "Setting", [this] { Setting_Click(); }},
                 {"Hour", "How long has the computer been used?", [this] { Hour_Click(); }},
                 {"Fen1", "-", nullptr},
                 {"About", "About", [this] { About_Click(); }},
             }});
}

double HoursOfUse(int half_hours) {
    const double half = double(half_hours) / 2.0;
    const double rounded = std::nearbyint(half * 10.0) / 10.0;  // Round(x, 1), ties to even
    return rounded + 1;
}

void Form1::Setting_Click() {
    Runtime& rt = runtime();
    rt.Load("frmSetting");
    rt.Ref("frmSetting").ShowModal(rt.Ref(FrmSplash::kName));
}

void Form1::Hour_Click() {
    Runtime& rt = runtime();
    rt.Load(FrmHour::kName);
    const Integer half_hours = rt.Ref<FrmSplash>(FrmSplash::kName).HalfHour;
    rt.Ref<FrmHour>(FrmHour::kName)
        .Label2.SetCaption(GeneralNumber(HoursOfUse(half_hours), rt.DecimalSeparator()));
    rt.Ref(FrmHour::kName).ShowModal(rt.Ref(FrmSplash::kName));
}

void Form1::About_Click() {
    Runtime& rt = runtime();
    rt.Load("frmAbout");
    rt.Ref("frmAbout").ShowModal(rt.Ref(FrmSplash::kName));
}

}  // namespace vz
