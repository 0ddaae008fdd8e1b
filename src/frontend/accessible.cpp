#include "frontend/accessible.h"

#include <algorithm>
#include <optional>

#include "frontend/layout.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace vz {

namespace {

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

const Label* AsLabel(const Control* c) {
    return c && c->kind() == Control::Kind::Label ? static_cast<const Label*>(c) : nullptr;
}

// Whether two controls share a row: their spans from top to bottom overlap.
bool SameRow(const Control& a, const Control& b) {
    return a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

// The nearest label on the control's row, before it (`before`) or after it.
const Label* LabelBeside(const Control& control, bool before) {
    const Label* best = nullptr;
    double best_gap = 0;
    for (const Control* c : control.form().Controls()) {
        const Label* label = AsLabel(c);
        if (!label || !SameRow(control, *label)) continue;
        const double gap = before ? control.Left() - (label->Left() + label->Width())
                                  : label->Left() - (control.Left() + control.Width());
        // Labels that size themselves may run a little into the list.
        if (gap < -label->Height() || (best && gap >= best_gap)) continue;
        best = label;
        best_gap = gap;
    }
    return best;
}

// A sentence with a gap of spaces that another label fills on screen (the
// hours sentence and its figure) reads with the figure in the gap.
std::string ReadsAs(const Label& label) {
    const std::string& text = label.Caption();
    const auto gap = text.find("   ");
    if (gap == std::string::npos) return text;
    for (const Control* c : label.form().Controls()) {
        const Label* inside = AsLabel(c);
        if (!inside || inside == &label || !inside->Visible() || !SameRow(label, *inside)) continue;
        if (inside->Left() < label.Left() || inside->Left() > label.Left() + label.Width()) continue;
        const auto end = text.find_first_not_of(' ', gap);
        return Trimmed(text.substr(0, gap)) + " " + Trimmed(inside->Caption()) + " " +
               (end == std::string::npos ? "" : text.substr(end));
    }
    return text;
}

// The text a window shows in large: on the banner its band, the label shown
// on a colour of its own; on the rest screen the slogan, drawn straight on
// the black, whether or not it is blinked away this moment.
std::string MainText(const Form& form, bool banner) {
    for (const Control* c : form.Controls()) {
        const Label* label = AsLabel(c);
        if (!label || label->Caption().empty()) continue;
        if (banner ? (label->Visible() && !label->transparent) : label->transparent)
            return label->Caption();
    }
    return Title(form);
}

}  // namespace

Accessible Describe(const Form& form) {
    Accessible a;
    switch (form.Role()) {
        case WindowRole::Banner:
            a.role = AccessibleRole::Notification;
            a.name = MainText(form, true);
            break;
        case WindowRole::RestScreen:
            a.role = AccessibleRole::Window;
            a.name = MainText(form, false);
            break;
        case WindowRole::Dialog:
            a.role = AccessibleRole::Dialog;
            a.name = form.accessible_name.empty() ? Title(form) : form.accessible_name;
            break;
        default:
            a.role = AccessibleRole::Window;
            a.name = Title(form);
    }
    return a;
}

Accessible Describe(const Control& control) {
    Accessible a;
    a.acts = bool(control.on_click);
    switch (control.kind()) {
        case Control::Kind::Label:
            a.role = AccessibleRole::Text;
            a.name = ReadsAs(static_cast<const Label&>(control));
            break;
        case Control::Kind::CommandButton:
            a.role = AccessibleRole::Button;
            a.name = static_cast<const CommandButton&>(control).caption;
            a.acts = true;
            break;
        case Control::Kind::ComboBox: {
            const auto& combo = static_cast<const ComboBox&>(control);
            a.role = AccessibleRole::ComboBox;
            a.value = Trimmed(combo.Text());
            a.labelled_by = LabelBeside(control, true);
            a.name = a.labelled_by ? static_cast<const Label*>(a.labelled_by)->Caption() : a.value;
            if (const Label* unit = LabelBeside(control, false)) a.description = unit->Caption();
            a.acts = true;
            break;
        }
        case Control::Kind::Image:
            a.role = AccessibleRole::Picture;
            a.name = static_cast<const Image&>(control).tool_tip;
            break;
        case Control::Kind::PictureBox:
            a.role = AccessibleRole::Picture;
            a.name = Title(control.form());
            break;
        case Control::Kind::Line:
        case Control::Kind::Timer:
            a.role = AccessibleRole::Separator;
            break;
    }
    return a;
}

const char* RoleName(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::Window: return "window";
        case AccessibleRole::Dialog: return "dialog";
        case AccessibleRole::Notification: return "notification";
        case AccessibleRole::Text: return "text";
        case AccessibleRole::Button: return "button";
        case AccessibleRole::ComboBox: return "combo box";
        case AccessibleRole::Picture: return "picture";
        case AccessibleRole::Separator: return "separator";
    }
    return "";
}

}  // namespace vz
