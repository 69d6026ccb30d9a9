#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include <QRect>

struct xcb_connection_t;
class QWidget;

namespace IslandKit::X11 {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
// A reply of the X server, which the caller frees.
template <class T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// Qt's own connection to the X server, or null on another platform (the
// offscreen one of the tests, for example).
xcb_connection_t* connection();
std::uint32_t rootWindow(xcb_connection_t* connection);
// The atom of a name, made when no client has asked for it yet; none when
// the server does not answer.
std::uint32_t atom(xcb_connection_t* connection, const char* name);

// Limits where a window takes pointer input; the rest of it lets clicks
// through to whatever lies below. No effect off X11.
void setInputShape(QWidget* window, const std::vector<QRect>& rects);

// Whether the X server has the keyboard on `window` now. Qt learns of a move
// of the focus only when its event arrives, and calls the window active for a
// moment after it; the server knows at once. Empty off X11.
std::optional<bool> hasInputFocus(const QWidget* window);
// Gives one of our windows, shown, the keyboard at once, stamped with the
// server's own time. Qt stamps its requests with the last event it has seen,
// which a focus change made since (ours or a window manager's) outdates, and
// the server ignores an outdated request: the keys would stay where they
// were while a field of this window looks chosen. No effect off X11.
void takeKeyboard(const QWidget* window);
// Whether `window` has the keyboard or had it a moment ago: the X server says
// so, or Qt still calls it active after a window manager took the keyboard
// for itself (on a click on the bare desktop, say).
bool heldKeyboardJustNow(const QWidget* window);

}  // namespace IslandKit::X11
