#pragma once

#include <cstdint>
#include <optional>

struct xcb_connection_t;

// What the X server and the window manager say about who may have the
// keyboard, on any connection: the pointer tracker asks on its own, the
// keyboard handover on Qt's.
namespace IslandKit::X11Focus {

using Window = std::uint32_t;

// How a client window takes the keyboard (its WM_HINTS input field and its
// WM_PROTOCOLS): set directly, through a WM_TAKE_FOCUS message, both, or not
// at all. A window without the hint takes it directly, as window managers
// treat it.
struct FocusModel {
    bool setDirectly = true;
    bool takeFocusMessage = false;
    bool takesKeyboard() const { return setDirectly || takeFocusMessage; }
};
FocusModel focusModel(xcb_connection_t* c, Window window);

// Whether a window manager runs: one client of the server redirects what
// the root window's children do.
bool windowManagerRuns(xcb_connection_t* c, Window root);

// The window of another application that a click on `top`, a child of the
// root, gives the keyboard: the client window under a window manager's
// frame (the one with WM_STATE), or `top` itself where no window manager
// runs. None where that window refuses the keyboard (a dock, a panel, a
// desktop window whose input hint is false), and none where the click lands
// on no client at all: a window manager's own panel, a popup of another
// application.
std::optional<Window> keyboardTakerAt(xcb_connection_t* c, Window root, Window top);

// Gives a viewable client window the keyboard, at once, in the way it takes
// it, and tells the window manager to make it the active window as a pager
// would (the user's own choice, which focus-stealing prevention lets
// through). Nothing for a window that is gone.
void giveKeyboard(xcb_connection_t* c, Window root, Window window);

}  // namespace IslandKit::X11Focus
