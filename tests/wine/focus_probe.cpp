// The keyboard in the Windows settings window (null graphics driver, virtual
// time): it opens on its first control in tab order; Tab and Shift+Tab visit
// the lists and buttons in the model's order (Combo1, OK, Combo2, Cancel) and
// wrap; the arrows step through the list that has the keyboard; Space presses
// the button that has it; Enter presses nothing, as the model wants.

#include <windows.h>

#include "platform/controls.h"
#include "platform/form.h"
#include "probe.h"

namespace {

using probe::Check;

}  // namespace

int main() {
    probe::Setup setup(L"verezerud-focus-probe");
    const auto Press = [&](HWND, WPARAM key, bool shift = false) { setup.Press(key, shift); };
    vz::VirtualScheduler& scheduler = setup.scheduler;
    vz::Program& program = setup.program;
    vz::RealDisk& disk = setup.disk;
    vz::Runtime& rt = program.runtime();
    program.Start();
    scheduler.Advance(58 * 60 * 1000 + 10 * 1000);  // the rest screen

    const auto open_settings = [&] {
        rt.Click(rt.Locate("frmSplash"));
        rt.Choose("Setting");
        return setup.Window("frmSetting");
    };
    const auto list = [&](const char* name) {
        vz::Form* form = rt.Find("frmSetting");
        return form ? static_cast<vz::ComboBox*>(form->FindControl(name))->ListIndex() : -1;
    };

    const auto saved = disk.Contents("SettingT.tim");
    HWND setting = open_settings();
    Check(setting && ::IsWindowVisible(setting), "the settings window opens");
    const int rest = list("Combo1"), countdown = list("Combo2");
    Press(setting, VK_DOWN);
    Check(list("Combo1") == rest + 1 && list("Combo2") == countdown, "it opens on the first list");
    Press(setting, VK_TAB);
    Press(setting, VK_TAB);
    Press(setting, VK_DOWN);
    Check(list("Combo2") == countdown + 1, "Tab, Tab: past OK to the second list");
    Press(setting, VK_TAB);
    Press(setting, VK_TAB);
    Press(setting, VK_UP);
    Check(list("Combo1") == rest, "Tab, Tab: past Cancel and round to the first list");
    Press(setting, VK_RETURN);
    Check(rt.Find("frmSetting") != nullptr, "Enter presses nothing");
    Press(setting, VK_TAB, true);
    Press(setting, VK_SPACE);
    Check(rt.Find("frmSetting") == nullptr, "Shift+Tab: back to Cancel, which Space presses");
    Check(disk.Contents("SettingT.tim") == saved, "and nothing is saved");

    setting = open_settings();
    Press(setting, VK_DOWN);
    Press(setting, VK_TAB);
    Press(setting, VK_SPACE);
    Check(rt.Find("frmSetting") == nullptr && disk.Contents("SettingT.tim") != saved,
          "Tab to OK and Space: the settings are saved");
    program.Stop();
    return probe::failures ? 1 : 0;
}
