#include "qt/renderer.h"

#include <QCursor>
#include <algorithm>
#include <vector>

#include "platform/control.h"
#include "platform/runtime.h"
#include "qt/form_window.h"
#include "qt/popup_menu.h"

namespace vz::qt {

Renderer::Renderer(Runtime& runtime, QRect screen) : runtime_(runtime), screen_(screen) {
    popup_ = std::make_unique<PopupMenuView>(
        [this](const std::string& item) { runtime_.Choose(item); },
        [this] { runtime_.Dismiss(); });
    // Windows loaded before the front end came up get their windows now.
    for (Form* form : runtime_.LoadedForms()) {
        Created(*form);
        if (form->Visible()) Shown(*form);
    }
    runtime_.AddObserver(this);
}

Renderer::~Renderer() {
    runtime_.RemoveObserver(this);
    popup_.reset();
    for (auto& [form, window] : windows_) delete window.data();
}

FormWindow* Renderer::WindowOf(Form* form) {
    if (!form) return nullptr;
    const auto it = windows_.find(form);
    return it == windows_.end() ? nullptr : it->second.data();
}

FormWindow* Renderer::Window(const std::string& name) const {
    for (const auto& [form, window] : windows_)
        if (window && window->name() == name) return window;
    return nullptr;
}

QMenu* Renderer::OpenMenu() const { return popup_->Shown(); }

void Renderer::OnEvent(const Event& e) {
    switch (e.kind) {
        case EventKind::Load:
            if (e.form) Created(*e.form);
            return;
        case EventKind::Unload:
            if (e.form) Destroyed(*e.form);
            return;
        case EventKind::Show:
            if (e.form) Shown(*e.form);
            return;
        case EventKind::Hide:
            if (FormWindow* w = WindowOf(e.form)) w->HideWindow();
            return;
        case EventKind::Topmost:
            Restack();
            return;
        case EventKind::Move:
        case EventKind::Set:
        case EventKind::UserSelect:
        case EventKind::Items:
            if (FormWindow* w = WindowOf(e.form)) {
                if (e.control)
                    w->SyncControl(*e.control);
                else
                    w->SyncForm();
            }
            return;
        case EventKind::Popup:
            if (e.form) OpenPopup(*e.form);
            return;
        case EventKind::PopupClosed:
            popup_->Close();
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

void Renderer::Created(Form& form) {
    if (WindowOf(&form)) return;
    windows_[&form] = new FormWindow(form, *this, screen_);
}

void Renderer::Destroyed(Form& form) {
    const auto it = windows_.find(&form);
    if (it == windows_.end()) return;
    QPointer<FormWindow> window = it->second;
    windows_.erase(it);
    if (!window) return;
    // The model's window is gone; the real one may be in the middle of
    // reporting the click that closed it, so it goes once that is done.
    window->Detach();
    window->HideWindow();
    window->deleteLater();
}

void Renderer::Shown(Form& form) {
    FormWindow* window = WindowOf(&form);
    if (!window) return;
    window->SyncAll();
    window->ShowWindow(form.IsModal() ? WindowOf(form.Owner()) : nullptr);
    Restack();
}

void Renderer::Restack() {
    // A window made topmost later lies above one made topmost earlier.
    std::vector<std::pair<std::uint64_t, FormWindow*>> order;
    for (const auto& [form, window] : windows_)
        if (window && window->form() && form->TopmostOrder() != 0 && window->isVisible())
            order.emplace_back(form->TopmostOrder(), window.data());
    std::sort(order.begin(), order.end());
    for (const auto& [rank, window] : order) window->raise();
}

void Renderer::OpenPopup(Form& form) {
    const Menu* menu = runtime_.PopupItems();
    if (!menu) return;
    // At the pointer: where the click that opened it was, or else where the
    // pointer is now.
    const QPoint at = last_click_.isNull() ? QCursor::pos() : last_click_;
    FormWindow* window = WindowOf(&form);
    popup_->Open(*menu, at, window);
}

void Renderer::Click(const std::string& target, QPoint global) {
    last_click_ = global;
    runtime_.Click(target);
    last_click_ = QPoint();
}

void Renderer::Hover(const std::string& target) { runtime_.Hover(target); }

void Renderer::Select(const std::string& target, int position) {
    runtime_.Select(target, position);
    // The list shows the model's choice, also when the model did not take the pick.
    const Runtime::Target t = runtime_.Locate(target);
    if (FormWindow* w = t.control ? Window(t.form->name()) : nullptr) w->SyncControl(*t.control);
}

void Renderer::Key(const std::string& key) { runtime_.Key(key); }

}  // namespace vz::qt
