#pragma once
// The front-end contract: it watches the model's runtime and tells a front
// end (frontend/front_end.h) what to do with its real windows, so that every
// front end shows the program the same way. It decides, once for all:
// - which window a real one is made for, and when: on its first showing, not
//   at its load (the reminder is loaded at the start but shown only at the
//   hour's end), and for windows loaded before the front end came up;
// - where each window and control lies, at the display's dots per inch
//   (frontend/layout.h), with what frame and title, which window owns a
//   modal one, and how the windows that stay on top are stacked: the one
//   made topmost last lies above;
// - when the rest screen is up, by the role its window says it has;
// - that a real window goes only once the event that closed the model's is
//   done, and that the pop-up menu opens once the handler that asked for it
//   is done (some desktops run a menu's own loop inside the call);
// - what a screen reader hears unasked (frontend/accessible.h): the banner's
//   text once it is set, the rest's start, and its end before it goes;
// - what the keyboard does where the model knows only the pointer: the menu
//   key opens the menu as a click on the window does, and the banner's text
//   is clicked away from the keyboard.
// Input comes back typed, from the real window it happened on: a control
// the window shows, never a name to be looked up again.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "frontend/front_end.h"
#include "frontend/layout.h"
#include "platform/event.h"
#include "platform/runtime.h"

namespace vz {

class ComboBox;

class Presenter : public Observer {
public:
    // Takes over what the runtime has loaded already and follows it from now.
    Presenter(Runtime& runtime, FrontEnd& front, int dpi = kStandardDpi);
    ~Presenter() override;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    Runtime& runtime() const { return runtime_; }
    const Layout& layout() const { return layout_; }
    // The display's scale changed: every real window is laid out again.
    void SetDpi(int dpi);

    // The real window of a loaded window, made now if it was not yet;
    // nullptr for a window that is not loaded.
    Surface* Build(Form& form);
    Surface* Build(const std::string& name);
    // The real window if it has been made.
    Surface* Find(const Form& form) const;
    // The model's window that a real one shows; nullptr once it is gone.
    Form* FormOf(const Surface& surface) const;
    // Whether a window covers the whole screen, as the rest screen does.
    static bool FullScreen(const Form& form) { return form.Role() == WindowRole::RestScreen; }

    // The user's input on a real window; nothing once its model window is
    // gone. `control` is nullptr for the window's own surface; `screen_at` is
    // where the pointer was, for a pop-up menu that the click opens.
    void Click(Surface& surface, Control* control, std::optional<Point> screen_at = {});
    void Hover(Surface& surface, Control* control);
    void Select(Surface& surface, ComboBox& combo, int position);
    void Press(Key key);
    // A key on a real window: Escape on the banner declines it, as clicking
    // its text does; otherwise Enter and Escape go to the model.
    void Press(Surface& surface, Key key);
    // The menu key (or Shift+F10) on a window: a click on its own surface at
    // `screen_at`, where a pop-up menu opens.
    void MenuKey(Surface& surface, std::optional<Point> screen_at = {});
    // The banner's text clicked away from the keyboard: a click on the
    // control that declines, if the window shows one.
    void Decline(Surface& surface);
    void Choose(const std::string& item);
    void Dismiss();

    // Told of each failure that the program reports to the user.
    std::function<void(const std::string&)> on_error;

    void OnEvent(const Event& event) override;

private:
    void Handle(const Event& event);
    void Shown(Form& form);
    void Unloaded(Form& form);
    void Restack();
    void UpdateRest();
    void UpdateBanner();
    void OpenMenuLater(Form& form);
    void AnnounceLater(Form& form);

    Runtime& runtime_;
    FrontEnd& front_;
    Layout layout_;
    // Every loaded window; its real one once made.
    std::map<const Form*, Surface*> surfaces_;
    Surface* rest_ = nullptr;
    Surface* banner_ = nullptr;
    std::optional<Point> click_at_;
    // Tasks left for later find the presenter gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vz
