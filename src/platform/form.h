#pragma once
// A window of the forms model. Each window is a class whose members are its
// controls, its variables and one handler per event; the runtime keeps one
// global instance of each, created on first reference and destroyed by Unload.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/menu.h"

namespace vz {

class Control;
class Runtime;

enum class BorderStyle { None = 0, FixedSingle = 1, FixedDialog = 3 };

// What a window is to the user, which decides how a desktop treats it: the
// reminder window is a banner until it turns into the rest screen; the small
// windows are dialogs; the menu carrier is never shown. The window says so
// itself; nothing guesses it from colour or size.
enum class WindowRole { Plain, Banner, RestScreen, Dialog, MenuCarrier };

class Form : public Placed {
public:
    Form(Runtime& runtime, std::string name);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Runtime& runtime() const { return runtime_; }
    const std::string& name() const { return name_; }

    // The whole window's rectangle, in twips: Left, Top, Width, Height.
    void Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});
    void SetHeight(double height) { Move(Left(), Top(), Width(), height); }

    bool Visible() const { return visible_; }
    void Show();                  // modeless, no owner
    void ShowModal(Form& owner);  // Modal 1 with an owner; returns at once in this model
    void Hide();
    Form* Owner() const { return owner_; }
    bool IsModal() const { return modal_; }

    Color BackColor() const { return back_color_; }
    void SetBackColor(Color color);

    WindowRole Role() const { return role_; }
    // A change of role is told to the front ends, not traced.
    void SetRole(WindowRole role);

    // Places the window above all others, re-applying its rectangle in pixels.
    void MakeTopmost();
    // Order of the last MakeTopmost among all windows; 0 for never.
    std::uint64_t TopmostOrder() const { return topmost_order_; }

    // Events. The runtime calls them; each window overrides what it handles.
    virtual void Form_Load() {}
    virtual void Form_Unload(int& /*cancel*/) {}
    virtual void Form_Click() {}
    virtual void Form_MouseMove() {}

    // A window variable's trace form, for inspection.
    virtual std::optional<Value> Variable(std::string_view name) const;
    // A window property's trace form, for inspection.
    std::optional<Value> Property(std::string_view name) const;

    const std::vector<Control*>& Controls() const { return controls_; }
    Control* FindControl(std::string_view name) const;
    // The controls that take the keyboard (lists and buttons), visible or
    // not, in the order Tab visits them: by TabIndex, ties in design order.
    std::vector<Control*> TabOrder() const;
    const std::vector<Menu>& Menus() const { return menus_; }
    const Menu* FindMenu(std::string_view name) const;

    // Design-time look; not reported.
    std::string caption;
    BorderStyle border_style = BorderStyle::FixedSingle;
    bool show_in_taskbar = true;
    bool centre_on_load = false;  // start-up position: centred
    std::string icon;  // resource name
    // What a screen reader calls a window that shows no title: the menu entry
    // that opens it.
    std::string accessible_name;

    // Called by the runtime and by controls.
    void AddControl(Control* control) { controls_.push_back(control); }
    void AddMenu(Menu menu) { menus_.push_back(std::move(menu)); }
    void DesignGeometry(double left, double top, double width, double height);
    void DesignBackColor(Color color) { back_color_ = color; }
    void DesignRole(WindowRole role) { role_ = role; }
    void MarkLoaded() { loaded_ = true; }
    bool Loaded() const { return loaded_; }
    void MarkUnloaded();

private:
    Runtime& runtime_;
    std::string name_;
    bool visible_ = false;
    bool modal_ = false;
    Form* owner_ = nullptr;
    Color back_color_ = kSystemButtonFace;
    WindowRole role_ = WindowRole::Plain;
    std::uint64_t topmost_order_ = 0;
    bool loaded_ = false;
    std::vector<Control*> controls_;
    std::vector<Menu> menus_;
};

}  // namespace vz
