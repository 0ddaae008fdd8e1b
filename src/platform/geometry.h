#pragma once
// A window's or control's rectangle, in twips.

#include <optional>
#include <string>
#include <string_view>

#include "platform/value.h"

namespace vz {

struct Geometry {
    double left = 0, top = 0, width = 0, height = 0;

    // Move: Left given; an omitted Top, Width or Height keeps its value.
    void Move(double new_left, std::optional<double> new_top, std::optional<double> new_width,
              std::optional<double> new_height);
    // Left, Top, Width or Height; nothing for another name.
    std::optional<Value> Property(std::string_view name) const;
};

// What has a rectangle of its own, a window or a control: the program reads
// it in twips; each moves it in its own way.
class Placed {
public:
    double Left() const { return geometry_.left; }
    double Top() const { return geometry_.top; }
    double Width() const { return geometry_.width; }
    double Height() const { return geometry_.height; }

protected:
    Geometry geometry_;
};

}  // namespace vz
