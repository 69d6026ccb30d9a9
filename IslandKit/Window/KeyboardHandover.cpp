#include "IslandKit/Window/KeyboardHandover.h"

#include <cstdint>
#include <optional>
#include <utility>

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include "IslandKit/Window/X11.h"

namespace IslandKit::KeyboardHandover {

namespace {

using X11::Reply;

// Main thread only, like every window of the process.
std::optional<xcb_window_t> holder;

bool isOwnWindow(xcb_window_t window) {
    for (const QWindow* own : QGuiApplication::allWindows()) {
        if (own->handle() && own->winId() == window) return true;
    }
    return false;
}

bool isViewable(xcb_connection_t* c, xcb_window_t window) {
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name, std::uint16_t length) {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, length, name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

void noteHolder() {
    xcb_connection_t* c = X11::connection();
    if (!c) return;
    Reply<xcb_get_input_focus_reply_t> focus(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    if (!focus) return;
    const xcb_window_t window = focus->focus;
    // None, PointerRoot and the root window name no application.
    if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT || window == X11::rootWindow(c)) return;
    if (isOwnWindow(window)) return;
    holder = window;
}

void returnToHolder() {
    xcb_connection_t* c = X11::connection();
    // Given back once: a later release without a new taking has nothing to return.
    const auto noted = std::exchange(holder, std::nullopt);
    if (!c || !noted) return;
    const xcb_window_t window = *noted;
    if (!isViewable(c, window)) return;
    // A window manager activates the window and keeps its own idea of the
    // active one; the request says it comes from a pager, as the user's own
    // choice, so focus-stealing prevention lets it through.
    static constexpr char activeWindow[] = "_NET_ACTIVE_WINDOW";
    if (const xcb_atom_t type = atom(c, activeWindow, sizeof activeWindow - 1); type != XCB_ATOM_NONE) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = type;
        message.data.data32[0] = 2;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c, 0, X11::rootWindow(c),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    }
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    xcb_flush(c);
}

}  // namespace IslandKit::KeyboardHandover
