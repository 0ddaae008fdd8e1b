#pragma once
// The settings file: byte 0 is the position of the preparatory time in its
// list (10, 20 ... 60 seconds), byte 1 the position of the rest length
// (2, 4 ... 10 minutes). Both are always written together.

#include "platform/checked.h"
#include "platform/record_file.h"

namespace vz {

class Runtime;

inline constexpr const char* kSettingsFile = "SettingT.tim";
inline constexpr Byte kDefaultRestMinutes = 2;
inline constexpr Byte kDefaultPreparatorySeconds = 10;

struct StoredChoices {
    Byte preparatory_position = 0;  // byte 0
    Byte rest_position = 0;         // byte 1
};

StoredChoices ReadSettings(Runtime& runtime);
void WriteSettings(Runtime& runtime, const StoredChoices& choices);

// Index to value: (position + 1) x 2 minutes and (position + 1) x 10 seconds,
// through checked 16-bit arithmetic and the checked Byte conversion; a
// position too large for a Byte value raises Overflow.
Byte RestMinutesAt(Byte position);
Byte PreparatorySecondsAt(Byte position);

}  // namespace vz
