#include "platform/form.h"

#include "platform/control.h"
#include "platform/placement.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/timer.h"

namespace vz {

Form::Form(Runtime& runtime, std::string name) : runtime_(runtime), name_(std::move(name)) {}

void Form::DesignGeometry(double left, double top, double width, double height) {
    geometry_ = {left, top, width, height};
}

void Form::Move(double left, std::optional<double> top, std::optional<double> width,
                std::optional<double> height) {
    geometry_.Move(left, top, width, height);
    runtime_.Emit(EventKind::Move, "move " + name_ + " " + geometry_.Trace(), this);
}

void Form::Show() {
    visible_ = true;
    modal_ = false;
    owner_ = nullptr;
    runtime_.Emit(EventKind::Show, "show " + name_, this);
}

void Form::ShowModal(Form& owner) {
    runtime_.ClosePopup();  // a modal window takes the input from an open menu
    visible_ = true;
    modal_ = true;
    owner_ = &owner;
    runtime_.Emit(EventKind::Show, "show " + name_ + " modal owner=" + owner.name(), this);
}

void Form::Hide() {
    visible_ = false;
    modal_ = false;
    runtime_.Emit(EventKind::Hide, "hide " + name_, this);
}

void Form::SetBackColor(Color color) {
    back_color_ = color;
    runtime_.Emit(EventKind::Set, "set " + name_ + ".BackColor " + TraceNumber(color), this);
}

void Form::MakeTopmost() {
    const Screen& s = runtime_.screen();
    const PixelRect r =
        TopmostRect(Left(), Top(), Width(), Height(), s.TwipsPerPixelX(), s.TwipsPerPixelY());
    topmost_order_ = runtime_.NextTopmostOrder();
    runtime_.Emit(EventKind::Topmost,
                  "topmost " + name_ + " " + std::to_string(r.x) + " " + std::to_string(r.y) +
                      " " + std::to_string(r.cx) + " " + std::to_string(r.cy),
                  this);
}

std::optional<std::string> Form::Variable(std::string_view) const { return std::nullopt; }

std::optional<std::string> Form::Property(std::string_view name) const {
    if (auto value = geometry_.Property(name)) return value;
    if (name == "Visible") return TraceBool(visible_);
    if (name == "BackColor") return TraceNumber(back_color_);
    if (name == "Caption") return TraceString(caption);
    return std::nullopt;
}

Control* Form::FindControl(std::string_view name) const {
    for (Control* c : controls_)
        if (c->name() == name) return c;
    return nullptr;
}

const Menu* Form::FindMenu(std::string_view name) const {
    for (const Menu& m : menus_)
        if (m.name == name) return &m;
    return nullptr;
}

void Form::MarkUnloaded() {
    loaded_ = false;
    visible_ = false;
    for (Control* c : controls_)
        if (c->kind() == Control::Kind::Timer) static_cast<Timer*>(c)->WindowUnloaded();
}

}  // namespace vz
