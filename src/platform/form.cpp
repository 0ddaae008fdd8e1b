#include "platform/form.h"

#include <algorithm>

#include "platform/control.h"
#include "platform/placement.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/timer.h"

namespace vz {

Form::Form(Runtime& runtime, std::string name) : runtime_(runtime), name_(std::move(name)) {
    geometry_ = {0, 0, 4800, 3600};
}

void Form::DesignGeometry(double left, double top, double width, double height) {
    geometry_ = {left, top, width, height};
}

void Form::Move(double left, std::optional<double> top, std::optional<double> width,
                std::optional<double> height) {
    geometry_.Move(left, top, width, height);
    Event e{EventKind::Move, this};
    e.geometry = geometry_;
    runtime_.Emit(e);
}

void Form::Show() {
    visible_ = true;
    modal_ = false;
    owner_ = nullptr;
    runtime_.Emit(EventKind::Show, this);
}

void Form::ShowModal(Form& owner) {
    runtime_.ClosePopup();  // a modal window takes the input from an open menu
    visible_ = true;
    modal_ = true;
    owner_ = &owner;
    Event e{EventKind::Show, this};
    e.owner = &owner;
    runtime_.Emit(e);
}

void Form::Hide() {
    visible_ = false;
    modal_ = false;
    runtime_.Emit(EventKind::Hide, this);
}

void Form::SetBackColor(Color color) {
    back_color_ = color;
    Event e{EventKind::Set, this};
    e.name = "BackColor";
    e.value = Value(double(color));
    runtime_.Emit(e);
}

void Form::SetRole(WindowRole role) {
    if (role == role_) return;
    role_ = role;
    runtime_.Emit(EventKind::Role, this);
}

void Form::MakeTopmost() {
    const Screen& s = runtime_.screen();
    const PixelRect r =
        TopmostRect(Left(), Top(), Width(), Height(), s.TwipsPerPixelX(), s.TwipsPerPixelY());
    topmost_order_ = runtime_.NextTopmostOrder();
    Event e{EventKind::Topmost, this};
    e.pixels = r;
    runtime_.Emit(e);
}

std::optional<Value> Form::Variable(std::string_view) const { return std::nullopt; }

std::optional<Value> Form::Property(std::string_view name) const {
    if (auto value = geometry_.Property(name)) return value;
    if (name == "Visible") return Value(bool(visible_));
    if (name == "BackColor") return Value(double(back_color_));
    if (name == "Caption") return Value(std::string(caption));
    return std::nullopt;
}

std::vector<Control*> Form::TabOrder() const {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->kind() == Control::Kind::ComboBox || c->kind() == Control::Kind::CommandButton)
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    return order;
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
