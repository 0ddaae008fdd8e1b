#include "frontend/layout.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/form.h"

namespace vz {

namespace {
// A bordered window's frame: three pixels at 96 dots per inch.
constexpr double kFrameTwips = 45;
}  // namespace

std::string Title(const Form& form) { return form.caption.empty() ? "Verezerud" : form.caption; }

bool Windowed(const Control& c) {
    return c.kind() == Control::Kind::ComboBox || c.kind() == Control::Kind::CommandButton ||
           c.kind() == Control::Kind::PictureBox;
}

std::vector<Control*> StackingOrder(const Form& form) {
    std::vector<Control*> order;
    for (bool windowed : {false, true})
        for (Control* c : form.Controls())
            if (c->kind() != Control::Kind::Timer && Windowed(*c) == windowed) order.push_back(c);
    return order;
}

Box Layout::Outer(const Form& form) const {
    return PxBox(form.Left(), form.Top(), form.Width(), form.Height(), dpi_);
}

int Layout::Frame(const Form& form) const {
    return form.border_style == BorderStyle::None ? 0 : Px(kFrameTwips, dpi_);
}

Size Layout::TextSize(const Font& font, const std::string& text) const {
    const auto key = std::make_tuple(font.name, font.size, font.bold, text);
    const auto it = measured_.find(key);
    if (it != measured_.end()) return it->second;
    const Size size = measure_ ? measure_(font, text) : Size{};
    measured_.emplace(key, size);
    return size;
}

Box Layout::ControlBox(const Control& c) const {
    const int frame = Frame(c.form());
    Box box = PxBox(c.Left(), c.Top(), c.Width(), c.Height(), dpi_).Moved(frame, frame);
    if (c.kind() != Control::Kind::Label) return box;
    const auto& label = static_cast<const Label&>(c);
    if (!label.auto_size) return box;
    const Size text = TextSize(label.font, label.Caption());
    int x = box.x;
    if (label.alignment == Alignment::Center) x = box.x + (box.width - text.width) / 2;
    if (label.alignment == Alignment::Right) x = box.Right() - text.width;
    return Box{x, box.y, text.width, text.height};
}

std::pair<Point, Point> Layout::LineEnds(const Line& line) const {
    const int frame = Frame(line.form());
    return {Point{Px(line.x1, dpi_) + frame, Px(line.y1, dpi_) + frame},
            Point{Px(line.x2, dpi_) + frame, Px(line.y2, dpi_) + frame}};
}

Control* Layout::ControlAt(const Form& form, Point at) const {
    const std::vector<Control*> order = StackingOrder(form);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Control* c = *it;
        if (c->Visible() && c->TakesInput() && ControlBox(*c).Contains(at)) return c;
    }
    return nullptr;
}

std::optional<Point> Layout::FreePoint(const Form& form) const {
    const Box outer = Outer(form);
    const int frame = Frame(form);
    const Box client{frame, frame, outer.width - 2 * frame, outer.height - 2 * frame};
    const auto free = [&](Point p) { return client.Contains(p) && !ControlAt(form, p); };
    // Towards the lower right, where the windows have the least on them.
    const Point preferred{client.x + client.width * 3 / 4, client.y + client.height * 3 / 4};
    if (free(preferred)) return preferred;
    for (int y = client.Bottom() - 1; y >= client.y; --y)
        for (int x = client.Right() - 1; x >= client.x; x -= 4)
            if (free(Point{x, y})) return Point{x, y};
    return std::nullopt;
}

}  // namespace vz
