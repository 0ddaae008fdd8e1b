#pragma once
// What a toolkit does for the program's windows, and nothing more: it makes,
// places, shows, paints, raises and destroys a real window (a Surface) for a
// window of the model, opens the pop-up menu, and holds the input during the
// rest. The
// presenter (frontend/presenter.h) decides when and where; the front end
// reads the model's properties (captions, colours, lists) as it draws, and
// hands what the user does back to the presenter as typed input.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "frontend/pixels.h"
#include "platform/font.h"

namespace vz {

class Control;
class Form;
class Presenter;
struct Menu;

// The front end's real window for one window of the model.
class Surface {
public:
    virtual ~Surface() = default;
    // Its place, colour and states as the model and the layout say now (not
    // its controls).
    virtual void Place() = 0;
    // One control as the model says now: its box, visibility, text, list.
    virtual void Paint(const Control& control) = 0;
    // `owner` is set for a modal window, which takes the keyboard.
    virtual void Show(Surface* owner) = 0;
    virtual void Hide() = 0;
    // The model's window is gone: hide the real one and read the model no more.
    virtual void Detach() = 0;
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // The presenter that drives this front end and takes its input, from its
    // start (before it makes any window); nullptr as it goes.
    virtual void Attach(Presenter* presenter) = 0;
    // A real window for `form`, with a view for each control, not yet shown.
    // The front end keeps it until Destroy.
    virtual Surface* Make(Form& form) = 0;
    // Frees the real window; called once nothing of it is running any more.
    virtual void Destroy(Surface& surface) = 0;
    // The windows that stay above all others, from the bottom up.
    virtual void Stack(const std::vector<Surface*>& bottom_to_top) = 0;

    // The pop-up menu over `surface`, at `at` on the screen or else at the pointer.
    virtual void OpenMenu(Surface& surface, const Menu& menu, std::optional<Point> at) = 0;
    // The model closed the menu; nothing goes back to it.
    virtual void CloseMenu() = 0;

    // The rest screen is up (`rest`) or over (nullptr): while it is up, the
    // keyboard and every monitor are the program's.
    virtual void Rest(Surface* rest) = 0;

    // The banner is up (`banner`) or gone (nullptr): while it is up, the
    // decline key (frontend/accessible.h) declines it from wherever the
    // keyboard is, through Presenter::Decline, without taking the focus.
    virtual void Banner(Surface* banner) = 0;

    // Says `text` to a screen reader unasked, from `surface`, without moving
    // the keyboard: the banner's reminder, the rest's start and end.
    virtual void Announce(Surface& surface, const std::string& text) = 0;

    // Runs `task` once the current event is done, from the toolkit's loop.
    virtual void Later(std::function<void()> task) = 0;
    // The size of one line of text in `font`, as this front end draws it.
    virtual Size TextSize(const Font& font, const std::string& text) = 0;
};

}  // namespace vz
