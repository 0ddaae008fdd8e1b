#include "frontend/covers.h"

namespace vz {

bool Inside(const Box& inner, const Box& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

std::vector<Box> PlaceCovers(const std::vector<Box>& monitors, const Box& primary) {
    const auto dark_already = [&](const Box& m) {
        return m.width <= 0 || m.height <= 0 || Inside(m, primary);
    };
    std::vector<Box> covers;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Box& m = monitors[i];
        bool covered = dark_already(m);
        // Inside another monitor that gets a cover; of two alike, the first keeps it.
        for (std::size_t j = 0; j < monitors.size() && !covered; ++j)
            covered = j != i && !dark_already(monitors[j]) && Inside(m, monitors[j]) &&
                      (m != monitors[j] || j < i);
        if (!covered) covers.push_back(m);
    }
    return covers;
}

}  // namespace vz
