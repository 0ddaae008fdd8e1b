#include "platform/runtime.h"

#include <algorithm>

#include "platform/control.h"
#include "platform/controls.h"
#include "platform/errors.h"
#include "platform/timer.h"

namespace vz {

Runtime::Runtime(Services services) : services_(std::move(services)) {}

Runtime::~Runtime() {
    // Destroy windows without running their handlers; timers stop with them.
    for (auto& [name, form] : live_) form->MarkUnloaded();
    live_.clear();
    graveyard_.clear();
}

void Runtime::AddObserver(Observer* observer) { observers_.push_back(observer); }

void Runtime::RemoveObserver(Observer* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer),
                     observers_.end());
}

void Runtime::Emit(const Event& event) {
    for (Observer* o : std::vector<Observer*>(observers_)) o->OnEvent(event);
}

void Runtime::Register(const std::string& name, Factory factory) {
    factories_[name] = std::move(factory);
}

bool Runtime::IsRegistered(const std::string& name) const { return factories_.count(name) > 0; }

Form* Runtime::Find(const std::string& name) const {
    const auto it = live_.find(name);
    return it == live_.end() ? nullptr : it->second.get();
}

std::vector<Form*> Runtime::LoadedForms() const {
    std::vector<Form*> out;
    for (const auto& [name, form] : live_) out.push_back(form.get());
    return out;
}

Form& Runtime::Ref(const std::string& name) {
    if (Form* form = Find(name)) return *form;
    const auto factory = factories_.find(name);
    if (factory == factories_.end())
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, "no window named " + name);
    std::unique_ptr<Form> created = factory->second(*this);
    Form& form = *created;
    live_[name] = std::move(created);
    form.MarkLoaded();
    if (form.centre_on_load) {
        // Start-up position: centred (the owner covers the screen whenever one opens).
        form.DesignGeometry((screen().Width() - form.Width()) / 2,
                            (screen().Height() - form.Height()) / 2, form.Width(),
                            form.Height());
    }
    Emit(EventKind::Load, &form);
    form.Form_Load();
    // Timers enabled in the design start as the load completes, in design order.
    if (Find(name) == &form)
        for (Control* c : form.Controls())
            if (c->kind() == Control::Kind::Timer) static_cast<Timer*>(c)->WindowLoaded();
    return form;
}

void Runtime::Unload(const std::string& name) {
    if (Form* form = Find(name)) Unload(*form);
}

void Runtime::Unload(Form& form) {
    if (Find(form.name()) != &form) return;  // not loaded: nothing
    int cancel = 0;
    form.Form_Unload(cancel);
    if (Find(form.name()) != &form) return;  // its handler unloaded it already
    if (popup_.window == &form || popup_.carrier == &form) ClosePopup();
    form.MarkUnloaded();
    auto node = live_.extract(form.name());
    Emit(EventKind::Unload, &form);
    graveyard_.push_back(std::move(node.mapped()));
    if (depth_ == 0) graveyard_.clear();
}

void Runtime::Start(const std::string& startup) {
    if (running_) return;
    running_ = true;
    startup_ = startup;
    Dispatch([&] { Load(startup); });
}

void Runtime::Stop() {
    if (!running_) return;
    Dispatch([&] { Unload(startup_); });
    End();
}

void Runtime::End() {
    running_ = false;
    ClosePopup();
    // The program ends with its start-up window; what else is loaded goes too.
    while (!live_.empty()) {
        auto node = live_.extract(live_.begin());
        node.mapped()->MarkUnloaded();
        Emit(EventKind::Unload, node.mapped().get());
        graveyard_.push_back(std::move(node.mapped()));
    }
    if (depth_ == 0) graveyard_.clear();
}

void Runtime::Dispatch(const std::function<void()>& handler) {
    ++depth_;
    bool failed = false;
    std::string message;
    try {
        handler();
    } catch (const RuntimeError& e) {
        failed = true;
        message = e.what();
    }
    --depth_;
    if (failed) {
        // An untrapped error: reported, and the program ends as the runtime ends it.
        ReportError(message);
        if (depth_ == 0) End();
    }
    if (depth_ == 0) graveyard_.clear();
}

void Runtime::ReportError(const std::string& message) {
    Event e{EventKind::Error};
    e.text = message;
    Emit(e);
}

bool Runtime::UseFile(const std::string& file, const std::string& failed, const std::string& then,
                      const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError& e) {
        if (e.number() == ErrorNumber::Overflow) throw;
        const std::string message = failed + " (" + e.what() + ")" + then;
        auto [it, inserted] = problems_.try_emplace(file, message);
        if (inserted || it->second != message) {
            it->second = message;
            ReportError(message);
        }
        return false;
    }
    problems_.erase(file);
    return true;
}

void Runtime::PopupMenu(Form& window, Form& carrier, const std::string& menu) {
    popup_ = {&window, &carrier, menu};
    Event e{EventKind::Popup, &window};
    e.name = menu;
    Emit(e);
}

const Menu* Runtime::PopupItems() const {
    return popup_.carrier ? popup_.carrier->FindMenu(popup_.menu) : nullptr;
}

void Runtime::ClosePopup() {
    if (!popup_.window) return;
    Form* window = popup_.window;
    popup_ = {};
    Emit(EventKind::PopupClosed, window);
}

Form* Runtime::ModalWindow() const {
    Form* top = nullptr;
    for (const auto& [name, form] : live_)
        if (form->IsModal() && form->Visible() &&
            (!top || form->TopmostOrder() > top->TopmostOrder()))
            top = form.get();
    return top;
}

const char* KeyName(Key key) { return key == Key::Enter ? "Enter" : "Escape"; }

Target Target::Of(Form& form) { return Target{form.name(), &form, nullptr, false}; }

Target Target::Of(Control& control) {
    return Target{control.Path(), &control.form(), &control, false};
}

Target Runtime::Locate(const std::string& name) const {
    Target t;
    t.name = name;
    const auto dot = name.find('.');
    const std::string window = name.substr(0, dot);
    if (!IsRegistered(window)) {
        t.bad = true;
        return t;
    }
    t.form = Find(window);
    if (t.form && dot != std::string::npos) {
        t.control = t.form->FindControl(name.substr(dot + 1));
        if (!t.control) t.bad = true;
    }
    return t;
}

bool Runtime::Accepts(const Target& t) const {
    if (!running_ || !t.form || !t.form->Visible() || PopupOpen()) return false;
    const Form* modal = ModalWindow();
    if (modal && modal != t.form) return false;  // a modal window has the input
    return !t.control || (t.control->Visible() && t.control->TakesInput());
}

InputResult Runtime::Ignore(const std::string& input) {
    Event e{EventKind::Ignored};
    e.text = input;
    Emit(e);
    return InputResult::Ignored;
}

InputResult Runtime::TakenByPopup(const std::string& input) {
    // An open menu takes the click or key that closes it; nothing else gets it.
    ClosePopup();
    return Ignore(input);
}

InputResult Runtime::Click(const Target& t) {
    if (t.bad) return InputResult::BadTarget;
    if (PopupOpen()) return TakenByPopup("click " + t.name);
    if (!Accepts(t)) return Ignore("click " + t.name);
    if (t.control) {
        if (t.control->on_click) Dispatch(t.control->on_click);
    } else {
        Form* form = t.form;
        Dispatch([form] { form->Form_Click(); });
    }
    return InputResult::Delivered;
}

InputResult Runtime::Hover(const Target& t) {
    if (t.bad) return InputResult::BadTarget;
    if (!Accepts(t)) return Ignore("hover " + t.name);
    if (t.control) {
        if (t.control->on_mouse_move) Dispatch(t.control->on_mouse_move);
    } else {
        Form* form = t.form;
        Dispatch([form] { form->Form_MouseMove(); });
    }
    return InputResult::Delivered;
}

InputResult Runtime::Select(const Target& t, int position) {
    if (t.bad || (t.control && t.control->kind() != Control::Kind::ComboBox))
        return InputResult::BadTarget;
    auto* combo = static_cast<ComboBox*>(t.control);
    const std::string input = "select " + t.name + " " + std::to_string(position);
    if (PopupOpen()) return TakenByPopup(input);
    if (!Accepts(t) || !combo || position < 0 || position >= combo->ListCount())
        return Ignore(input);
    combo->UserSelect(position);
    if (combo->on_click) Dispatch(combo->on_click);
    return InputResult::Delivered;
}

InputResult Runtime::Press(Key key) {
    const std::string input = std::string("key ") + KeyName(key);
    if (PopupOpen() && key == Key::Escape) return TakenByPopup(input);
    Form* window = ModalWindow();
    if (!running_ || !window || PopupOpen()) return Ignore(input);
    for (Control* c : window->Controls()) {
        if (c->kind() != Control::Kind::CommandButton || !c->Visible()) continue;
        auto* button = static_cast<CommandButton*>(c);
        const bool presses = key == Key::Enter ? button->is_default : button->is_cancel;
        if (presses && button->on_click) {
            Dispatch(button->on_click);
            break;
        }
    }
    return InputResult::Delivered;
}

InputResult Runtime::Choose(const std::string& item) {
    const Menu* menu = PopupItems();
    if (!menu) return Ignore("choose " + item);
    const auto it = std::find_if(menu->items.begin(), menu->items.end(),
                                 [&](const MenuItem& m) { return m.name == item; });
    if (it == menu->items.end()) return InputResult::BadTarget;
    const std::function<void()> handler = it->on_click;
    ClosePopup();
    if (handler) Dispatch(handler);
    return InputResult::Delivered;
}

InputResult Runtime::Dismiss() {
    if (!PopupOpen()) return Ignore("dismiss");
    ClosePopup();
    return InputResult::Delivered;
}

}  // namespace vz
