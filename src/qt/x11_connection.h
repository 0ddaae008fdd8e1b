#pragma once
// The program's connection to the X server, as Qt opened it, and what the
// parts that talk to the server directly share on it.

#include <cstdint>
#include <xcb/xcb.h>

namespace vz::qt {

// Qt's connection, or nullptr when the program does not run on X11.
xcb_connection_t* X11Connection();
xcb_window_t X11Root(xcb_connection_t* c);
xcb_atom_t X11Atom(xcb_connection_t* c, const char* name);

// Adds `mask` to the events the program hears from `window`, keeping those it
// hears already: the keyboard hold and the desktop's sources both listen to
// the root, and a mask set whole would silence the other.
void ListenTo(xcb_connection_t* c, xcb_window_t window, std::uint32_t mask);

// A window property of 32-bit items (a window, atoms), empty when unset or gone.
struct X11Items {
    std::uint32_t count = 0;
    std::uint32_t item[64] = {};
};
X11Items X11Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type);

}  // namespace vz::qt
