#pragma once
// Where a window of the model and each of its controls lie in pixels, and the
// rules every front end shows them by: the frame, the title, which controls
// lie above which, what a point of a window reaches, and where a click on
// the window itself lands.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "frontend/pixels.h"
#include "platform/font.h"

namespace vz {

class Control;
class Form;
class Line;

// The title a window shows to the desktop: its caption, or the program's name.
std::string Title(const Form& form);

// Lists, buttons and picture boxes have windows of their own on a desktop;
// labels, images and lines are drawn on their window.
bool Windowed(const Control& control);

// The controls from the bottom up: those drawn on the window in design order,
// then those with windows of their own, which lie above them, in design order.
std::vector<Control*> StackingOrder(const Form& form);

class Layout {
public:
    // `measure` tells the size of one line of text in a font, as the front
    // end will draw it; it is asked only for labels that size themselves.
    using Measure = std::function<Size(const Font&, const std::string&)>;
    Layout(int dpi, Measure measure) : dpi_(dpi), measure_(std::move(measure)) {}

    int dpi() const { return dpi_; }
    // The display's scale changed: texts are measured again.
    void SetDpi(int dpi) {
        dpi_ = dpi;
        measured_.clear();
    }
    // The window's rectangle on the model's screen.
    Box Outer(const Form& form) const;
    // The width of the border a window draws inside its rectangle; 0 for none.
    int Frame(const Form& form) const;
    // A control's rectangle in its window, the frame included: its design box,
    // or for a label that sizes itself, the box its one line of text takes,
    // kept to the design box by its alignment (a longer text outgrows it).
    Box ControlBox(const Control& control) const;
    // A line's two ends in its window.
    std::pair<Point, Point> LineEnds(const Line& line) const;
    // The control a click at `at` (a point of the window) reaches: the
    // topmost shown one there that takes input; nothing for the window itself.
    Control* ControlAt(const Form& form, Point at) const;
    // A point of the window's own surface, clear of its controls, where a user
    // clicks the window rather than something on it; nothing when none is free.
    std::optional<Point> FreePoint(const Form& form) const;

private:
    Size TextSize(const Font& font, const std::string& text) const;

    int dpi_;
    Measure measure_;
    // The slogan is measured at every blink otherwise.
    mutable std::map<std::tuple<std::string, double, bool, std::string>, Size> measured_;
};

}  // namespace vz
