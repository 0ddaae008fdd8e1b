#pragma once
// How the rest screen moves: the slogan blinks and the picture jumps
// (Blink), or the slogan stands and the picture stays in the middle (Still),
// for users whom motion on screen troubles. Desktop follows the desktop's own
// setting for fewer animations, which each front end reads.

#include <optional>
#include <string_view>

namespace vz {

enum class Motion { Blink, Still };
enum class MotionChoice { Blink, Still, Desktop };

// "blink", "still" or "desktop"; nothing for another word.
std::optional<MotionChoice> ParseMotion(std::string_view word);
// The motion a choice comes to, where the desktop asks for fewer animations
// (`desktop_reduces`) or not.
Motion Resolve(MotionChoice choice, bool desktop_reduces);

}  // namespace vz
