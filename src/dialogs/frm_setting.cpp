#include "dialogs/frm_setting.h"

#include <algorithm>

#include "dialogs/window_frame.h"
#include "platform/errors.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "reminder/frm_splash.h"
#include "store/settings_file.h"

namespace vz {
namespace {

const char* const kRestItems[] = {"  2", "  4", "  6", "  8", " 10"};
const char* const kPreparatoryItems[] = {" 10", " 20", " 30", " 40", " 50", " 60"};

const Font kLabelFont{"Microsoft Sans Serif", 10.5, false};
const Font kButtonFont{"Microsoft Sans Serif", 9, false};

// Selects a stored position; one beyond the list takes its last item, the
// nearest in value, so a damaged file never keeps the window from opening.
void SelectStored(ComboBox& combo, Byte position) {
    combo.SetListIndex(std::min<int>(position, combo.ListCount() - 1));
}

}  // namespace

FrmSetting::FrmSetting(Runtime& runtime)
    : Form(runtime, kName),
      Label1{Label(*this, "Label1(0)"), Label(*this, "Label1(1)"), Label(*this, "Label1(2)"),
             Label(*this, "Label1(3)")},
      Combo1(*this, "Combo1"),
      Combo2(*this, "Combo2"),
      Command1(*this, "Command1"),
      Command2(*this, "Command2"),
      Timer1(*this, "Timer1", kCloseAfterMs, true) {
    DesignDialog(*this, 4500, 900);
    accessible_name = "Setting";
    struct LabelDesign {
        const char* caption;
        double left, top, width;
        int tab;
    };
    const LabelDesign labels[] = {{"minutes/hour", 2250, 90, 1230, 2},
                                  {"Take a rest of", 90, 90, 1320, 0},
                                  {"Preparatory time", 90, 495, 1575, 4},
                                  {"seconds", 2520, 495, 795, 6}};
    for (std::size_t i = 0; i < Label1.size(); ++i) {
        Label1[i].Design(labels[i].left, labels[i].top, labels[i].width, 255, true,
                         labels[i].tab);
        Label1[i].caption_ = labels[i].caption;
        Label1[i].auto_size = true;
        Label1[i].transparent = true;
        Label1[i].font = kLabelFont;
    }
    Combo1.Design(1530, 90, 663, 315, true, 1);
    Combo2.Design(1800, 495, 663, 315, true, 5);
    Combo1.back_color = Combo2.back_color = kSystemHighlightText;
    Command1.Design(3600, 135, 793, 255, true, 3);
    Command1.caption = "OK";
    Command1.font = kButtonFont;
    Command2.Design(3600, 540, 793, 255, true, 7);
    Command2.caption = "Cancel";
    Command2.font = kButtonFont;

    Command1.on_click = [this] { Command1_Click(); };
    Command2.on_click = [this] { Command2_Click(); };
    Timer1.on_tick = [this] { Timer1_Timer(); };
}

void FrmSetting::Form_Load() {
    MakeTopmost();
    for (int i = 0; i < 5; ++i) Combo1.AddItem(kRestItems[i], i);
    for (int i = 0; i < 6; ++i) Combo2.AddItem(kPreparatoryItems[i], i);
    LoadChoices();
}

void FrmSetting::LoadChoices() {
    StoredChoices stored;
    if (!runtime().UseFile(kSettingsFile, "Cannot read the settings", ".",
                           [&] { stored = ReadSettings(runtime()); })) {
        // Unreadable: show the values in effect instead.
        const auto& splash = runtime().Ref<FrmSplash>(FrmSplash::kName);
        stored.rest_position = Byte(std::clamp(splash.RestTim / 2 - 1, 0, 255));
        stored.preparatory_position = Byte(std::clamp(splash.Preparat / 10 - 1, 0, 255));
    }
    SelectStored(Combo1, stored.rest_position);
    SelectStored(Combo2, stored.preparatory_position);
}

void FrmSetting::Command1_Click() {
    auto& splash = runtime().Ref<FrmSplash>(FrmSplash::kName);
    splash.RestTim = CByte(Val(Combo1.Text()));
    splash.Preparat = CByte(Val(Combo2.Text()));
    splash.GaiBian = true;
    const StoredChoices choices{CByte(long{Combo2.ListIndex()}), CByte(long{Combo1.ListIndex()})};
    // The choice is in effect for this session even when it cannot be kept.
    runtime().UseFile(kSettingsFile, "Cannot save the settings", "; they last until you log off.",
                      [&] { WriteSettings(runtime(), choices); });
    runtime().Unload(*this);
}

void FrmSetting::Command2_Click() {
    LoadChoices();
    runtime().Unload(*this);
}

void FrmSetting::Timer1_Timer() {
    Command2_Click();
    runtime().Unload(*this);  // no longer loaded: nothing happens
}

}  // namespace vz
