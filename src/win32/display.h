#pragma once
// The primary monitor as the program lays out its windows on it: its size in
// pixels at 96 dots per inch (the model's screen, so that its twips are
// inches of this monitor) and its dots per inch (how large a pixel of the
// model is on it).

#include "reminder/motion.h"

namespace vz::win32 {

struct Display {
    int width = 0, height = 0;  // at 96 dots per inch
    int dpi = 96;
};

Display PrimaryDisplay();

// Whether the user turned the system's animations off (Ease of Access:
// "Show animations in Windows"), for the rest screen's `motion = desktop`.
bool DesktopReducesMotion();
// The motion a choice comes to; the system is asked only for Desktop.
Motion MotionFor(MotionChoice choice);

}  // namespace vz::win32
