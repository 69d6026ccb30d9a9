#include "IslandKit/Window/KeyboardHandover.h"

#include <utility>

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include "IslandKit/Window/X11.h"
#include "IslandKit/Window/X11Focus.h"

namespace IslandKit {

namespace {

bool isOwnWindow(xcb_window_t window) {
    for (const QWindow* own : QGuiApplication::allWindows()) {
        if (own->handle() && own->winId() == window) return true;
    }
    return false;
}

std::optional<xcb_window_t> keyboardWindow(xcb_connection_t* c) {
    X11::Reply<xcb_get_input_focus_reply_t> focus(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    if (!focus) return std::nullopt;
    return focus->focus;
}

}  // namespace

void X11KeyboardHandover::noteHolder() {
    xcb_connection_t* c = X11::connection();
    if (!c) return;
    const auto focus = keyboardWindow(c);
    if (!focus) return;
    const xcb_window_t window = *focus;
    // None, PointerRoot and the root window name no application; one of ours
    // taking it from another of ours leaves the noted one in place.
    if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT || window == X11::rootWindow(c)) return;
    if (isOwnWindow(window)) return;
    holder_ = window;
}

void X11KeyboardHandover::returnToHolder() {
    // Given back once: a later release without a new taking has nothing to return.
    const auto noted = std::exchange(holder_, std::nullopt);
    xcb_connection_t* c = X11::connection();
    if (c && noted) X11Focus::giveKeyboard(c, X11::rootWindow(c), *noted);
}

void X11KeyboardHandover::returnAtExit() {
    xcb_connection_t* c = X11::connection();
    if (!c) return;
    const auto focus = keyboardWindow(c);
    if (focus && isOwnWindow(*focus)) returnToHolder();
}

void X11KeyboardHandover::giveTo(std::uint32_t window) {
    holder_.reset();
    xcb_connection_t* c = X11::connection();
    if (c) X11Focus::giveKeyboard(c, X11::rootWindow(c), window);
}

}  // namespace IslandKit
