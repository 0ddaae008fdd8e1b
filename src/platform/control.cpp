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
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    visible_ = visible;
    tab_index_ = tab_index;
}

void Control::Move(double left, std::optional<double> top, std::optional<double> width,
                   std::optional<double> height) {
    left_ = left;
    if (top) top_ = *top;
    if (width) width_ = *width;
    if (height) height_ = *height;
    runtime().Emit(EventKind::Move,
                   "move " + Path() + " " + TraceNumber(left_) + " " + TraceNumber(top_) + " " +
                       TraceNumber(width_) + " " + TraceNumber(height_),
                   &form_, this);
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    ReportSet("Visible", TraceBool(visible));
}

void Control::ReportSet(std::string_view property, const std::string& value) {
    runtime().Emit(EventKind::Set, "set " + Path() + "." + std::string(property) + " " + value,
                   &form_, this);
}

std::optional<std::string> Control::Property(std::string_view name) const {
    if (name == "Left") return TraceNumber(left_);
    if (name == "Top") return TraceNumber(top_);
    if (name == "Width") return TraceNumber(width_);
    if (name == "Height") return TraceNumber(height_);
    if (name == "Visible") return TraceBool(visible_);
    return std::nullopt;
}

}  // namespace vz
