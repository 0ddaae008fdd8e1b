#pragma once
// The small windows' common frame: no title bar, no task-bar button, centred
// over the rest screen when they load.

#include "platform/form.h"

namespace vz {

// A fixed dialog border is three pixels on each side of the client area.
inline constexpr double kDialogBorder = 45;

// A plain box with a dialog border around a client area of the given size.
inline void DesignDialog(Form& form, double client_width, double client_height) {
    form.DesignRole(WindowRole::Dialog);
    form.border_style = BorderStyle::FixedDialog;
    form.show_in_taskbar = false;
    form.centre_on_load = true;
    form.DesignGeometry(0, 0, client_width + 2 * kDialogBorder,
                        client_height + 2 * kDialogBorder);
}

// A borderless box: the client area is the window.
inline void DesignBorderless(Form& form, double width, double height) {
    form.DesignRole(WindowRole::Dialog);
    form.border_style = BorderStyle::None;
    form.show_in_taskbar = false;
    form.centre_on_load = true;
    form.DesignGeometry(0, 0, width, height);
}

}  // namespace vz
