#include "platform/geometry.h"

#include "platform/text.h"

namespace vz {

void Geometry::Move(double new_left, std::optional<double> new_top,
                    std::optional<double> new_width, std::optional<double> new_height) {
    left = new_left;
    if (new_top) top = *new_top;
    if (new_width) width = *new_width;
    if (new_height) height = *new_height;
}

std::string Geometry::Trace() const {
    return TraceNumber(left) + " " + TraceNumber(top) + " " + TraceNumber(width) + " " +
           TraceNumber(height);
}

std::optional<std::string> Geometry::Property(std::string_view name) const {
    if (name == "Left") return TraceNumber(left);
    if (name == "Top") return TraceNumber(top);
    if (name == "Width") return TraceNumber(width);
    if (name == "Height") return TraceNumber(height);
    return std::nullopt;
}

}  // namespace vz
