#include "qt/renderer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "platform/control.h"
#include "platform/runtime.h"
#include "qt/form_window.h"
#include "qt/keyboard_hold.h"
#include "qt/monitor_covers.h"
#include "qt/popup_menu.h"

namespace vz::qt {

namespace {
QPoint PrimaryOrigin() {
    QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().topLeft() : QPoint();
}
}  // namespace

Renderer::Renderer(Runtime& runtime, QSize model_size, bool hold_keyboard)
    : runtime_(runtime), screen_(PrimaryOrigin(), model_size) {
    popup_ = std::make_unique<PopupMenuView>(
        [this](const std::string& item) { runtime_.Choose(item); },
        [this] { runtime_.Dismiss(); });
    covers_ = std::make_unique<MonitorCovers>(*this);
    if (hold_keyboard) keyboard_ = std::make_unique<KeyboardHold>();
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, [this] { FollowPrimary(); });
    FollowPrimary();
    // Windows loaded before the front end came up get their windows now.
    for (Form* form : runtime_.LoadedForms()) {
        Created(*form);
        if (form->Visible()) Shown(*form);
    }
    runtime_.AddObserver(this);
}

Renderer::~Renderer() {
    runtime_.RemoveObserver(this);
    keyboard_.reset();
    covers_.reset();
    popup_.reset();
    windows_.clear();
}

FormWindow* Renderer::WindowOf(Form* form) {
    if (!form) return nullptr;
    const auto it = windows_.find(form);
    return it == windows_.end() ? nullptr : it->second.get();
}

FormWindow* Renderer::Build(Form* form) {
    if (!form) return nullptr;
    const auto it = windows_.find(form);
    if (it == windows_.end()) return nullptr;
    if (!it->second)
        it->second = std::make_unique<FormWindow>(*form, *this, screen_, [this] {
            if (keyboard_) keyboard_->NoteFocus();
        });
    return it->second.get();
}

FormWindow* Renderer::Window(const std::string& name) {
    for (const auto& [form, window] : windows_)
        if (form->name() == name) return Build(form);
    return nullptr;
}

QMenu* Renderer::OpenMenu() const { return popup_->Shown(); }

void Renderer::FollowPrimary() {
    QScreen* primary = QGuiApplication::primaryScreen();
    disconnect(primary_moved_);
    if (primary)
        primary_moved_ = connect(primary, &QScreen::geometryChanged, this, [this] { FollowPrimary(); });
    const QPoint origin = PrimaryOrigin();
    if (origin != screen_.topLeft()) {
        screen_.moveTopLeft(origin);
        for (auto& [form, window] : windows_)
            if (window) window->SetScreen(screen_);
    }
    covers_->Refresh();
    UpdateRest();
}

void Renderer::UpdateRest() {
    FormWindow* rest = nullptr;
    for (const auto& [form, window] : windows_)
        if (window && window->RestScreen()) rest = window.get();
    const bool began = rest && rest != rest_;
    rest_ = rest;
    covers_->Cover(rest ? rest->name() : std::string());
    if (keyboard_) {
        if (rest)
            keyboard_->Hold(rest);
        else
            keyboard_->Release();
    }
    if (began) {
        if (!keyboard_) rest->activateWindow();
        Restack();
    }
}

void Renderer::OnEvent(const Event& e) {
    Handle(e);
    UpdateRest();
}

void Renderer::Handle(const Event& e) {
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

void Renderer::Created(Form& form) { windows_.try_emplace(&form); }

void Renderer::Destroyed(Form& form) {
    const auto it = windows_.find(&form);
    if (it == windows_.end()) return;
    std::unique_ptr<FormWindow> window = std::move(it->second);
    windows_.erase(it);
    if (!window) return;
    // The model's window is gone; the real one may be in the middle of
    // reporting the click that closed it, so Qt deletes it once that is done.
    window->Detach();
    window->HideWindow();
    window.release()->deleteLater();
}

void Renderer::Shown(Form& form) {
    FormWindow* window = Build(&form);
    if (!window) return;
    window->SyncAll();
    window->ShowWindow(form.IsModal() ? Build(form.Owner()) : nullptr);
    Restack();
}

void Renderer::Restack() {
    // A window made topmost later lies above one made topmost earlier.
    std::vector<std::pair<std::uint64_t, FormWindow*>> order;
    for (const auto& [form, window] : windows_)
        if (window && window->form() && form->TopmostOrder() != 0 && window->isVisible())
            order.emplace_back(form->TopmostOrder(), window.get());
    std::sort(order.begin(), order.end());
    covers_->Raise();
    for (const auto& [rank, window] : order) window->raise();
}

void Renderer::OpenPopup(Form& form) {
    const Menu* menu = runtime_.PopupItems();
    if (!menu) return;
    // At the pointer: where the click that opened it was, or else where the
    // pointer is now.
    const QPoint at = last_click_.isNull() ? QCursor::pos() : last_click_;
    FormWindow* window = Build(&form);
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
    if (FormWindow* w = t.control ? WindowOf(t.form) : nullptr) w->SyncControl(*t.control);
}

void Renderer::Key(const std::string& key) { runtime_.Key(key); }

}  // namespace vz::qt
