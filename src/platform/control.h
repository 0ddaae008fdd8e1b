#pragma once
// Controls of a window: geometry in twips, visibility, and the events a user
// can raise on them. Writes by the program are reported to the observers.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace vz {

class Form;
class Runtime;

class Control : public Placed {
public:
    enum class Kind { Label, Image, PictureBox, ComboBox, CommandButton, Line, Timer };

    Control(Form& form, std::string name, Kind kind);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    const std::string& name() const { return name_; }
    std::string Path() const;  // "frmSplash.Label2"
    Kind kind() const { return kind_; }

    // Move with omitted arguments keeping their values.
    void Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int TabIndex() const { return tab_index_; }

    // Whether the control takes clicks and pointer moves.
    virtual bool TakesInput() const { return true; }
    // A property's trace form, for inspection; nothing for an unknown name.
    virtual std::optional<Value> Property(std::string_view name) const;

    // Handlers that the window wires up; empty when the control has none.
    std::function<void()> on_click;
    std::function<void()> on_mouse_move;

    // Design-time values, set before the window loads; not reported.
    void Design(double left, double top, double width, double height, bool visible = true,
                int tab_index = 0);

protected:
    void ReportSet(std::string_view property, Value value);
    Runtime& runtime() const;

private:
    Form& form_;
    std::string name_;
    Kind kind_;
    bool visible_ = true;
    int tab_index_ = 0;
};

}  // namespace vz
