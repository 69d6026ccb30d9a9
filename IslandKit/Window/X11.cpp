#include "IslandKit/Window/X11.h"

#include <cstring>

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace IslandKit::X11 {

xcb_connection_t* connection() {
    auto* app = qGuiApp;
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

std::uint32_t rootWindow(xcb_connection_t* connection) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return screen ? screen->root : 0;
}

std::uint32_t atom(xcb_connection_t* connection, const char* name) {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
}

void setInputShape(QWidget* window, const std::vector<QRect>& rects) {
    xcb_connection_t* c = connection();
    if (!c || !window || !window->testAttribute(Qt::WA_WState_Created)) return;
    std::vector<xcb_rectangle_t> shape;
    shape.reserve(rects.size());
    // The X server counts device pixels.
    const qreal ratio = window->devicePixelRatio();
    for (const QRect& logical : rects) {
        if (logical.isEmpty()) continue;
        const QRect r((QPointF(logical.topLeft()) * ratio).toPoint(), (QSizeF(logical.size()) * ratio).toSize());
        shape.push_back(xcb_rectangle_t{static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()),
                                        static_cast<uint16_t>(r.width()), static_cast<uint16_t>(r.height())});
    }
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                         static_cast<xcb_window_t>(window->winId()), 0, 0, static_cast<uint32_t>(shape.size()),
                         shape.data());
    xcb_flush(c);
}

std::optional<bool> hasInputFocus(const QWidget* window) {
    xcb_connection_t* c = connection();
    if (!c) return std::nullopt;
    if (!window || !window->testAttribute(Qt::WA_WState_Created)) return false;
    Reply<xcb_get_input_focus_reply_t> focus(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return focus && focus->focus == static_cast<xcb_window_t>(window->winId());
}

void takeKeyboard(const QWidget* window) {
    xcb_connection_t* c = connection();
    // A window that is not viewable cannot take the keyboard; asking would be an error.
    if (!c || !window || !window->testAttribute(Qt::WA_WState_Created) || !window->isVisible()) return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) return;
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME);
    xcb_flush(c);
}

bool heldKeyboardJustNow(const QWidget* window) {
    return window && (window->isActiveWindow() || hasInputFocus(window).value_or(false));
}

}  // namespace IslandKit::X11
