#pragma once
// Whether the desktop asks programs for fewer animations, for the rest
// screen's `motion = desktop`: GNOME's enable-animations (read through
// gsettings) and KDE's AnimationDurationFactor in kdeglobals.

#include <QString>

#include "reminder/motion.h"

namespace vz::qt {

// From what `gsettings get org.gnome.desktop.interface enable-animations`
// printed: "false" asks for none.
bool GnomeReducesMotion(const QString& printed);
// From a kdeglobals file: an AnimationDurationFactor of 0 in [KDE] asks for none.
bool KdeReducesMotion(const QString& kdeglobals);
// Either desktop's setting, as this user has it now.
bool DesktopReducesMotion();
// The motion a choice comes to; the desktop is asked only for Desktop.
Motion MotionFor(MotionChoice choice);

}  // namespace vz::qt
