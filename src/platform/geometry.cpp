#include "platform/geometry.h"


namespace vz {

void Geometry::Move(double new_left, std::optional<double> new_top,
                    std::optional<double> new_width, std::optional<double> new_height) {
    left = new_left;
    if (new_top) top = *new_top;
    if (new_width) width = *new_width;
    if (new_height) height = *new_height;
}

std::optional<Value> Geometry::Property(std::string_view name) const {
    if (name == "Left") return Value(double(left));
    if (name == "Top") return Value(double(top));
    if (name == "Width") return Value(double(width));
    if (name == "Height") return Value(double(height));
    return std::nullopt;
}

}  // namespace vz
