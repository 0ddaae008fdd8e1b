#include "frontend/presenter.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "frontend/accessible.h"
#include "platform/control.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace vz {

Presenter::Presenter(Runtime& runtime, FrontEnd& front, int dpi)
    : runtime_(runtime),
      front_(front),
      layout_(dpi, [&front](const Font& font, const std::string& text) {
          return front.TextSize(font, text);
      }) {
    front_.Attach(this);
    // Windows loaded before the front end came up.
    for (Form* form : runtime_.LoadedForms()) {
        surfaces_.try_emplace(form, nullptr);
        if (form->Visible()) Shown(*form);
    }
    UpdateRest();
    UpdateBanner();
    runtime_.AddObserver(this);
}

Presenter::~Presenter() {
    *alive_ = false;
    runtime_.RemoveObserver(this);
    if (rest_) front_.Rest(nullptr);
    if (banner_) front_.Banner(nullptr);
    for (auto& [form, surface] : surfaces_) {
        if (!surface) continue;
        surface->Detach();
        front_.Destroy(*surface);
    }
    front_.Attach(nullptr);
}

void Presenter::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == layout_.dpi()) return;
    layout_.SetDpi(dpi);
    for (auto& [form, surface] : surfaces_) {
        if (!surface) continue;
        surface->Place();
        for (const Control* c : form->Controls()) surface->Paint(*c);
    }
}

Surface* Presenter::Find(const Form& form) const {
    const auto it = surfaces_.find(&form);
    return it == surfaces_.end() ? nullptr : it->second;
}

Surface* Presenter::Build(Form& form) {
    const auto it = surfaces_.find(&form);
    if (it == surfaces_.end()) return nullptr;
    if (!it->second) {
        Surface* surface = front_.Make(form);
        it->second = surface;
        surface->Place();
        for (const Control* c : form.Controls()) surface->Paint(*c);
    }
    return it->second;
}

Surface* Presenter::Build(const std::string& name) {
    Form* form = runtime_.Find(name);
    return form ? Build(*form) : nullptr;
}

Form* Presenter::FormOf(const Surface& surface) const {
    for (const auto& [form, s] : surfaces_)
        if (s == &surface) return const_cast<Form*>(form);
    return nullptr;
}

void Presenter::OnEvent(const Event& e) {
    Handle(e);
    UpdateRest();
    UpdateBanner();
}

void Presenter::Handle(const Event& e) {
    Surface* surface = e.form ? Find(*e.form) : nullptr;
    switch (e.kind) {
        case EventKind::Load:
            surfaces_.try_emplace(e.form, nullptr);
            return;
        case EventKind::Unload:
            Unloaded(*e.form);
            return;
        case EventKind::Show:
            Shown(*e.form);
            return;
        case EventKind::Hide:
            // Its end is told while the rest screen is still there to tell it.
            if (surface && surface == rest_) front_.Announce(*surface, kRestEnds);
            if (surface) surface->Hide();
            return;
        case EventKind::Topmost:
            Restack();
            return;
        case EventKind::Move:
        case EventKind::Set:
        case EventKind::UserSelect:
        case EventKind::Items:
        case EventKind::Role:
            if (!surface) return;
            if (e.control)
                surface->Paint(*e.control);
            else
                surface->Place();
            return;
        case EventKind::Popup:
            OpenMenuLater(*e.form);
            return;
        case EventKind::PopupClosed:
            front_.CloseMenu();
            return;
        case EventKind::Error:
            if (on_error) on_error(e.text);
            return;
        case EventKind::Chime:
        case EventKind::Write:
        case EventKind::Ignored:
            return;
    }
}

void Presenter::Shown(Form& form) {
    const bool made = Find(form) != nullptr;
    Surface* surface = Build(form);
    if (!surface) return;
    if (made) {
        surface->Place();
        for (const Control* c : form.Controls()) surface->Paint(*c);
    }
    surface->Show(form.IsModal() && form.Owner() ? Build(*form.Owner()) : nullptr);
    Restack();
    if (Describe(form).role == AccessibleRole::Notification) AnnounceLater(form);
}

void Presenter::AnnounceLater(Form& form) {
    // The banner shows before its text is set, in the same handler.
    const Form* window = &form;
    front_.Later([this, alive = alive_, window] {
        if (!*alive) return;
        const auto it = surfaces_.find(window);
        if (it == surfaces_.end() || !it->second || !window->Visible()) return;
        const Accessible a = Describe(*window);
        if (a.role == AccessibleRole::Notification) front_.Announce(*it->second, a.name);
    });
}

void Presenter::Unloaded(Form& form) {
    const auto it = surfaces_.find(&form);
    if (it == surfaces_.end()) return;
    Surface* surface = it->second;
    surfaces_.erase(it);
    if (!surface) return;
    // The real window may be in the middle of reporting the click that closed
    // the model's: it stops reading the model now and goes once that is done.
    surface->Detach();
    if (rest_ == surface) {
        rest_ = nullptr;
        front_.Rest(nullptr);
    }
    if (banner_ == surface) {
        banner_ = nullptr;
        front_.Banner(nullptr);
    }
    FrontEnd* front = &front_;
    front_.Later([front, surface] { front->Destroy(*surface); });
}

void Presenter::Restack() {
    // A window made topmost later lies above one made topmost earlier.
    std::vector<std::pair<std::uint64_t, Surface*>> order;
    for (const auto& [form, surface] : surfaces_)
        if (surface && form->Visible() && form->TopmostOrder() != 0)
            order.emplace_back(form->TopmostOrder(), surface);
    std::sort(order.begin(), order.end());
    std::vector<Surface*> bottom_to_top;
    for (const auto& [rank, surface] : order) bottom_to_top.push_back(surface);
    front_.Stack(bottom_to_top);
}

void Presenter::UpdateRest() {
    Surface* rest = nullptr;
    for (const auto& [form, surface] : surfaces_)
        if (surface && form->Visible() && form->Role() == WindowRole::RestScreen) rest = surface;
    if (rest == rest_) return;
    rest_ = rest;
    front_.Rest(rest);
    if (rest) {
        Restack();
        front_.Announce(*rest, kRestBegins);
    }
}

void Presenter::UpdateBanner() {
    Surface* banner = nullptr;
    for (const auto& [form, surface] : surfaces_)
        if (surface && form->Visible() && form->Role() == WindowRole::Banner) banner = surface;
    if (banner == banner_) return;
    banner_ = banner;
    front_.Banner(banner);
}

void Presenter::OpenMenuLater(Form& form) {
    const std::optional<Point> at = click_at_;
    const Form* window = &form;
    front_.Later([this, alive = alive_, window, at] {
        if (!*alive || !runtime_.PopupOpen() || runtime_.PopupWindow() != window) return;
        Surface* surface = Build(*runtime_.PopupWindow());
        const Menu* menu = runtime_.PopupItems();
        if (surface && menu) front_.OpenMenu(*surface, *menu, at);
    });
}

void Presenter::Click(Surface& surface, Control* control, std::optional<Point> screen_at) {
    Form* form = FormOf(surface);
    if (!form || (control && &control->form() != form)) return;
    click_at_ = screen_at;
    runtime_.Click(control ? Target::Of(*control) : Target::Of(*form));
    click_at_.reset();
}

void Presenter::Hover(Surface& surface, Control* control) {
    Form* form = FormOf(surface);
    if (!form || (control && &control->form() != form)) return;
    runtime_.Hover(control ? Target::Of(*control) : Target::Of(*form));
}

void Presenter::Select(Surface& surface, ComboBox& combo, int position) {
    if (FormOf(surface) != &combo.form()) return;
    runtime_.Select(Target::Of(combo), position);
    // The list shows the model's choice, also when the model did not take the pick.
    if (FormOf(surface)) surface.Paint(combo);
}

void Presenter::Press(Key key) { runtime_.Press(key); }

void Presenter::Press(Surface& surface, Key key) {
    const Form* form = FormOf(surface);
    if (key == Key::Escape && form && form->Role() == WindowRole::Banner)
        Decline(surface);
    else
        Press(key);
}

void Presenter::MenuKey(Surface& surface, std::optional<Point> screen_at) {
    Click(surface, nullptr, screen_at);
}

void Presenter::Decline(Surface& surface) {
    Form* form = FormOf(surface);
    if (!form || form->Role() != WindowRole::Banner || !form->Visible()) return;
    for (Control* c : form->Controls())
        if (c->kind() == Control::Kind::Label && c->Visible() && c->on_click) {
            Click(surface, c);
            return;
        }
}

void Presenter::Choose(const std::string& item) { runtime_.Choose(item); }

void Presenter::Dismiss() { runtime_.Dismiss(); }

}  // namespace vz
