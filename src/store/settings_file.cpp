#include "store/settings_file.h"

namespace vz {

StoredChoices ReadSettings(Runtime& runtime) {
    RecordFile file(runtime, kSettingsFile);
    const Record r = file.Get();
    return {r[0], r[1]};
}

void WriteSettings(Runtime& runtime, const StoredChoices& choices) {
    RecordFile file(runtime, kSettingsFile);
    file.Put({choices.preparatory_position, choices.rest_position});
}

Byte RestMinutesAt(Byte position) { return CByte(long{MulInt(AddInt(position, 1), 2)}); }

Byte PreparatorySecondsAt(Byte position) {
    return CByte(long{MulInt(AddInt(position, 1), 10)});
}

}  // namespace vz
