// The keyboard in the Windows settings window (null graphics driver, virtual
// time): the model's tab order is Combo1, OK, Combo2, Cancel.

#include <windows.h>

#include <initializer_list>

#include "platform/controls.h"
#include "platform/form.h"
#include "probe.h"

using probe::Check;

int main() {
    probe::Setup setup(L"verezerud-focus-probe");
    vz::Runtime& rt = setup.program.runtime();
    setup.program.Start();
    setup.scheduler.Advance(58 * 60 * 1000 + 10 * 1000);  // the rest screen
    const auto open_settings = [&] {
        rt.Click(rt.Locate("frmSplash"));
        rt.Choose("Setting");
        return setup.Window("frmSetting");
    };
    const auto press = [&](std::initializer_list<WPARAM> keys) {
        for (WPARAM key : keys) setup.Press(key);
    };
    const auto list = [&](const char* name) {
        vz::Form* form = rt.Find("frmSetting");
        return form ? static_cast<vz::ComboBox*>(form->FindControl(name))->ListIndex() : -1;
    };
    const auto saved = setup.disk.Contents("SettingT.tim");
    HWND setting = open_settings();
    Check(setting && ::IsWindowVisible(setting), "the settings window opens");
    const int rest = list("Combo1"), countdown = list("Combo2");
    press({VK_DOWN});
    Check(list("Combo1") == rest + 1 && list("Combo2") == countdown, "it opens on the first list");
    press({VK_TAB, VK_TAB, VK_DOWN});
    Check(list("Combo2") == countdown + 1, "Tab, Tab: past OK to the second list");
    press({VK_TAB, VK_TAB, VK_UP});
    Check(list("Combo1") == rest, "Tab, Tab: past Cancel and round to the first list");
    press({VK_RETURN});
    Check(rt.Find("frmSetting") != nullptr, "Enter presses nothing");
    setup.Press(VK_TAB, true);
    press({VK_SPACE});
    Check(rt.Find("frmSetting") == nullptr, "Shift+Tab: back to Cancel, which Space presses");
    Check(setup.disk.Contents("SettingT.tim") == saved, "and nothing is saved");

    setting = open_settings();
    press({VK_DOWN, VK_TAB, VK_SPACE});
    Check(rt.Find("frmSetting") == nullptr && setup.disk.Contents("SettingT.tim") != saved,
          "Tab to OK and Space: the settings are saved");
    setup.program.Stop();
    return probe::failures ? 1 : 0;
}
