#include "reminder/motion.h"

namespace vz {

std::optional<MotionChoice> ParseMotion(std::string_view word) {
    if (word == "blink") return MotionChoice::Blink;
    if (word == "still") return MotionChoice::Still;
    if (word == "desktop") return MotionChoice::Desktop;
    return std::nullopt;
}

Motion Resolve(MotionChoice choice, bool desktop_reduces) {
    switch (choice) {
        case MotionChoice::Still: return Motion::Still;
        case MotionChoice::Desktop: return desktop_reduces ? Motion::Still : Motion::Blink;
        case MotionChoice::Blink: break;
    }
    return Motion::Blink;
}

}  // namespace vz
