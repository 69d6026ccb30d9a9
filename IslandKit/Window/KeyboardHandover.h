#pragma once

namespace IslandKit::KeyboardHandover {

// The window of another application that has the keyboard now is noted as
// the one to give it back to. An island takes the keyboard only for a moment
// of typing, and no window manager sees it do so: it would not know where the
// keyboard belongs afterwards. No effect off X11.
void noteHolder();

// Gives the keyboard back, once, to the window noted last, when it is still
// on screen: through the window manager when there is one, and directly, for
// a desktop without one. No effect off X11 or when nothing was noted.
void returnToHolder();

}  // namespace IslandKit::KeyboardHandover
