#pragma once
// The forms runtime: the global window instances, Load and Unload, input from
// the user, the pop-up menu, modality, errors, and the services windows use.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/disk.h"
#include "platform/event.h"
#include "platform/form.h"
#include "platform/random.h"
#include "platform/resources.h"
#include "platform/scheduler.h"
#include "platform/screen.h"
#include "platform/sound.h"

namespace vz {

struct Services {
    Scheduler& scheduler;
    Disk& disk;
    SoundPlayer& sound;
    const Resources& resources;
    Screen screen;
    std::string decimal_separator = ".";  // the user's locale's
};

enum class InputResult { Delivered, Ignored, BadTarget };

enum class Key { Enter, Escape };
const char* KeyName(Key key);  // "Enter", "Escape"

// What input is aimed at: a window of the program, loaded or not, or a
// control on a loaded one. `name` is how a user names it ("frmSplash",
// "frmSetting.Command1"), which a report of ignored input repeats.
struct Target {
    std::string name;
    Form* form = nullptr;
    Control* control = nullptr;
    bool bad = false;

    static Target Of(Form& form);
    static Target Of(Control& control);
};

class Runtime {
public:
    using Factory = std::function<std::unique_ptr<Form>(Runtime&)>;

    explicit Runtime(Services services);
    ~Runtime();

    Scheduler& scheduler() { return services_.scheduler; }
    Disk& disk() { return services_.disk; }
    SoundPlayer& sound() { return services_.sound; }
    const Resources& resources() const { return services_.resources; }
    const Screen& screen() const { return services_.screen; }
    const std::string& DecimalSeparator() const { return services_.decimal_separator; }
    Random& random() { return random_; }

    void AddObserver(Observer* observer);
    void RemoveObserver(Observer* observer);
    void Emit(const Event& event);
    void Emit(EventKind kind, Form* form = nullptr, Control* control = nullptr) {
        Emit(Event{kind, form, control});
    }

    // Windows.
    void Register(const std::string& name, Factory factory);
    bool IsRegistered(const std::string& name) const;
    // A reference to the global instance; loads the window, hidden, if needed.
    Form& Ref(const std::string& name);
    template <class T>
    T& Ref(const std::string& name) {
        return static_cast<T&>(Ref(name));
    }
    Form* Find(const std::string& name) const;  // the loaded instance, or nothing
    std::vector<Form*> LoadedForms() const;
    void Load(const std::string& name) { Ref(name); }
    // Runs Form_Unload and destroys the window; nothing if it is not loaded.
    void Unload(const std::string& name);
    void Unload(Form& form);
    std::uint64_t NextTopmostOrder() { return ++topmost_counter_; }

    // The program: loads its start-up window; unloads it as a log-off does.
    void Start(const std::string& startup);
    void Stop();
    bool Running() const { return running_; }

    // Runs an event handler; an untrapped error is reported and ends the program.
    void Dispatch(const std::function<void()>& handler);
    // A failure the program reports to the user and goes on from.
    void ReportError(const std::string& message);
    // Runs one step on the data file `file`. A failure is a lasting problem:
    // reported as "<failed> (<why>)<then>" when it is new, not again while it
    // stays the same, and forgotten once a step on the file succeeds. An
    // overflow is no file problem and goes on to the caller. True on success.
    bool UseFile(const std::string& file, const std::string& failed, const std::string& then,
                 const std::function<void()>& step);

    // The pop-up menu.
    void PopupMenu(Form& window, Form& carrier, const std::string& menu);
    bool PopupOpen() const { return popup_.window != nullptr; }
    Form* PopupWindow() const { return popup_.window; }
    const Menu* PopupItems() const;
    void ClosePopup();

    // Input from the user, aimed at a window or a control of one.
    InputResult Click(const Target& target);
    InputResult Hover(const Target& target);
    InputResult Select(const Target& combo, int position);
    InputResult Press(Key key);
    InputResult Choose(const std::string& item);  // by the item's design name
    InputResult Dismiss();
    // The visible modal window that has the input, if any.
    Form* ModalWindow() const;

    // What a name such as "frmSplash" or "frmSplash.Label2" stands for: the
    // window, if loaded, and the control on it. Bad when there is no such
    // window, or no such control on a loaded one. Never loads a window.
    Target Locate(const std::string& name) const;

private:
    bool Accepts(const Target& t) const;
    InputResult Ignore(const std::string& input);
    // The open pop-up menu closes on a click elsewhere or on Escape, as a real one does.
    InputResult TakenByPopup(const std::string& input);
    void End();

    Services services_;
    Random random_;
    std::vector<Observer*> observers_;
    std::map<std::string, Factory> factories_;
    std::map<std::string, std::unique_ptr<Form>> live_;
    std::vector<std::unique_ptr<Form>> graveyard_;  // unloaded during a handler
    int depth_ = 0;
    bool running_ = false;
    std::string startup_;
    std::uint64_t topmost_counter_ = 0;
    std::map<std::string, std::string> problems_;
    struct Popup {
        Form* window = nullptr;
        Form* carrier = nullptr;
        std::string menu;
    } popup_;
};

}  // namespace vz
