#pragma once
// Where the black covers go while the rest screen is up. The rest screen lies
// on the primary monitor; every other monitor gets a cover over its whole
// rectangle (the task bar's part too), except one that shows only a part of
// the primary (a mirror), which is dark already, and one that lies inside
// another covered monitor, whose cover darkens it too.

#include <vector>

#include "frontend/pixels.h"

namespace vz {

// Whether `inner` lies wholly inside `outer` (or is it).
bool Inside(const Box& inner, const Box& outer);

// The covers for `monitors` (each monitor's whole rectangle, on the desktop)
// when `primary` is the primary one's; in the monitors' order, each once.
std::vector<Box> PlaceCovers(const std::vector<Box>& monitors, const Box& primary);

}  // namespace vz
