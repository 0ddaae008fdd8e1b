#include "sim/real_input.h"

#include "app/program.h"
#include "frontend/presenter.h"
#include "platform/control.h"
#include "platform/controls.h"
#include "sim/script.h"
#include "sim/simulator.h"

namespace vz {

bool RealInput::RunLine(const std::string& line, int n) {
    std::string error;
    const std::optional<Command> command = ParseCommand(line, error);
    bool ok = true;
    if (!error.empty()) {
        ok = sim_.Report(n, error);
    } else if (command && command->kind == Command::Kind::Snap) {
        sim_.Flush();
        if (!Snap(command->name)) ok = sim_.Report(n, "cannot save the screen to " + command->name);
    } else if (command && command->FromUser()) {
        sim_.InputArrives();  // before the input itself, as a real desktop sees it
        if (!Deliver(*command)) ok = sim_.Execute(*command, n);
    } else if (command) {
        ok = sim_.Execute(*command, n);
    }
    AfterLine();
    return ok;
}

bool RealInput::Deliver(const Command& c) {
    Runtime& rt = presenter_.runtime();
    switch (c.kind) {
        case Command::Kind::Click:
        case Command::Kind::Hover:
            return ClickOrHover(c.kind == Command::Kind::Click, rt.Locate(c.name));
        case Command::Kind::Select: return Select(rt.Locate(c.name), c.position);
        case Command::Kind::Choose: return Choose(c.name);
        case Command::Kind::Dismiss: return CloseMenu();
        case Command::Kind::Key: return PressKey(c.key);
        default: return false;
    }
}

Surface* RealInput::Shown(Form* form) {
    if (!form || !form->Visible()) return nullptr;
    Surface* surface = presenter_.Build(*form);
    return surface && OnScreen(*surface) ? surface : nullptr;
}

bool RealInput::ClickOrHover(bool click, const Target& t) {
    Surface* surface = t.bad ? nullptr : Shown(t.form);
    if (!surface) return false;
    const Layout& layout = presenter_.layout();
    Point at;
    if (!t.control) {
        const std::optional<Point> free = layout.FreePoint(*t.form);
        if (!free) return false;
        at = *free;
    } else {
        // A combo box opens its list on a press; its click is left to the model.
        if (t.control->kind() == Control::Kind::ComboBox) return false;
        at = layout.ControlBox(*t.control).Centre();
        // Hidden, or under another control: no point of the screen shows it.
        if (layout.ControlAt(*t.form, at) != t.control) return false;
    }
    if (click) {
        Press(*surface, at);
        return true;
    }
    // A move to where the pointer already is tells nothing: the hand moves a pixel.
    if (surface == moved_in_ && at == moved_to_) {
        const Point beside{at.x + 1, at.y};
        if (layout.ControlAt(*t.form, beside) == t.control) at = beside;
    }
    moved_in_ = surface;
    moved_to_ = at;
    Move(*surface, at);
    return true;
}

bool RealInput::Select(const Target& t, int position) {
    if (t.bad || !t.control || t.control->kind() != Control::Kind::ComboBox) return false;
    auto& combo = static_cast<ComboBox&>(*t.control);
    Surface* surface = Shown(t.form);
    if (!surface || position < 0 || position >= combo.ListCount()) return false;
    const Point at = presenter_.layout().ControlBox(combo).Centre();
    if (presenter_.layout().ControlAt(*t.form, at) != &combo) return false;
    return PickFromList(*surface, combo, at, position);
}

bool RealInput::Choose(const std::string& item) {
    const Menu* menu = presenter_.runtime().PopupItems();
    if (!menu) return false;
    // The real menu shows the model's items in their order, separators too.
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        if (menu->items[i].name != item) continue;
        if (!ChooseItem(i)) return false;
        // A click on a separator chooses nothing and may leave the menu open.
        if (menu->items[i].IsSeparator()) CloseMenu();
        return true;
    }
    return false;
}

bool RealInput::PressKey(Key key) {
    // The modal window has the keyboard; without one, the reminder.
    Runtime& rt = presenter_.runtime();
    for (Form* to : {rt.ModalWindow(), rt.Find("frmSplash")}) {
        if (Surface* surface = Shown(to)) {
            SendKey(*surface, key);
            return true;
        }
    }
    return false;
}

}  // namespace vz
