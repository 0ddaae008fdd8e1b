#include "platform/control.h"

#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace vz {

Control::Control(Form& form, std::string name, Kind kind)
    : form_(form), name_(std::move(name)), kind_(kind) {
    form.AddControl(this);
}

std::string Control::Path() const { return form_.name() + "." + name_; }

Runtime& Control::runtime() const { return form_.runtime(); }

void Control::Design(double left, double top, double width, double height, bool visible,
                     int tab_index) {
    geometry_ = {left, top, width, height};
    visible_ = visible;
    tab_index_ = tab_index;
}

void Control::Move(double left, std::optional<double> top, std::optional<double> width,
                   std::optional<double> height) {
    geometry_.Move(left, top, width, height);
    Event e{EventKind::Move, &form_, this};
    e.geometry = geometry_;
    runtime().Emit(e);
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    ReportSet("Visible", Value(visible));
}

void Control::ReportSet(std::string_view property, Value value) {
    Event e{EventKind::Set, &form_, this};
    e.name = std::string(property);
    e.value = std::move(value);
    runtime().Emit(e);
}

std::optional<Value> Control::Property(std::string_view name) const {
    if (name == "Visible") return Value(bool(visible_));
    return geometry_.Property(name);
}

}  // namespace vz
