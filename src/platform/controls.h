#pragma once
// The kinds of control the program's windows use.

#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/font.h"

namespace vz {

class Label : public Control {
public:
    Label(Form& form, std::string name) : Control(form, std::move(name), Kind::Label) {}
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    std::optional<Value> Property(std::string_view name) const override;

    // Design.
    std::string caption_;
    Color back_color = kSystemButtonFace;
    Color fore_color = kSystemButtonText;
    bool transparent = false;  // BackStyle 0
    Alignment alignment = Alignment::Left;
    bool auto_size = false;
    Font font;
};

class Image : public Control {
public:
    Image(Form& form, std::string name) : Control(form, std::move(name), Kind::Image) {}
    std::string picture;  // resource name of the picture
    std::string tool_tip;
};

class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name) : Control(form, std::move(name), Kind::PictureBox) {}
    std::string picture;
    Color back_color = kSystemButtonFace;
};

class ComboBox : public Control {
public:
    ComboBox(Form& form, std::string name) : Control(form, std::move(name), Kind::ComboBox) {}
    // AddItem text, position.
    void AddItem(const std::string& text, int index);
    int ListCount() const { return int(items_.size()); }
    const std::vector<std::string>& Items() const { return items_; }
    // -1 when nothing is selected; a position at or beyond the count raises the error.
    int ListIndex() const { return list_index_; }
    void SetListIndex(int index);
    // The user's pick from the list; not a write by the program.
    void UserSelect(int index);
    std::string Text() const;
    std::optional<Value> Property(std::string_view name) const override;

    Color back_color = kSystemWindowBackground;
    Font font;

private:
    std::vector<std::string> items_;
    int list_index_ = -1;
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name)
        : Control(form, std::move(name), Kind::CommandButton) {}
    std::optional<Value> Property(std::string_view name) const override;
    std::string caption;
    bool is_default = false;  // Enter presses it
    bool is_cancel = false;   // Escape presses it
    Font font;
};

class Line : public Control {
public:
    Line(Form& form, std::string name) : Control(form, std::move(name), Kind::Line) {}
    bool TakesInput() const override { return false; }
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color color = 0;
    int width_px = 1;
};

}  // namespace vz
