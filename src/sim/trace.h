#pragma once
// The simulator's trace: every event of the forms model as one line of text.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/event.h"

namespace vz {

// The event's line without its time (`show frmSplash`, `set frmSplash.Label1.Visible True`);
// empty for the kinds that are not traced.
std::string TraceLine(const Event& event);

// Values as the trace writes them: True / False, numbers in their shortest
// form with a point, texts in double quotes with inner quotes doubled.
std::string TraceValue(const Value& value);
// Bytes as hex pairs separated by blanks: "07 00".
std::string HexBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace vz
