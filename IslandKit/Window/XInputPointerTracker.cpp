#include "IslandKit/Window/XInputPointerTracker.h"

#include <cstdlib>
#include <set>

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/X11.h"
#include "IslandKit/Window/X11Focus.h"

namespace IslandKit {

namespace {

using X11::Reply;

// A click is looked for this deep below the root.
constexpr int maxWindowDepth = 32;

// Buttons 4 to 7 are wheel steps, not clicks.
bool isWheel(std::uint32_t button) { return button >= 4 && button <= 7; }

}  // namespace

XInputPointerTracker::XInputPointerTracker() = default;

XInputPointerTracker::~XInputPointerTracker() { stop(); }

void XInputPointerTracker::start(std::function<void(Point)> onMove,
                                 std::function<void(OutsideClick)> onOutsideClick) {
    stop();
    onMove_ = std::move(onMove);
    onOutsideClick_ = std::move(onOutsideClick);
    if (auto* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
        filtering_ = true;
    }
    openRawEvents();
}

void XInputPointerTracker::stop() {
    if (filtering_) {
        if (auto* app = QCoreApplication::instance()) app->removeEventFilter(this);
        filtering_ = false;
    }
    closeRawEvents();
    onMove_ = nullptr;
    onOutsideClick_ = nullptr;
}

bool XInputPointerTracker::openRawEvents() {
    if (!X11::connection()) return false;
    // A connection of our own keeps our event selection on the root window
    // apart from Qt's.
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return false;
    }
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_input_id);
    Reply<xcb_input_xi_query_version_reply_t> version(
        ext && ext->present ? xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr)
                            : nullptr);
    if (!version || version->major_version < 2) {
        xcb_disconnect(c);
        return false;
    }
    connection_ = c;
    xinputOpcode_ = ext->major_opcode;
    root_ = X11::rootWindow(c);

    struct {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                XCB_INPUT_XI_EVENT_MASK_RAW_MOTION | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS};
    xcb_input_xi_select_events(c, root_, 1, &selection.head);
    xcb_flush(c);

    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(c), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { drain(); });
    return true;
}

void XInputPointerTracker::closeRawEvents() {
    if (notifier_) {
        // It may be the notifier whose signal is running right now.
        notifier_->setEnabled(false);
        notifier_.release()->deleteLater();
    }
    if (connection_) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
    }
}

void XInputPointerTracker::drain(bool fromSocket) {
    if (!connection_) return;
    bool any = false;
    bool moved = false;
    std::optional<OutsideClick> outsideClick;
    while (xcb_generic_event_t* event =
               fromSocket ? xcb_poll_for_event(connection_) : xcb_poll_for_queued_event(connection_)) {
        any = true;
        if ((event->response_type & 0x7F) == XCB_GE_GENERIC) {
            auto* ge = reinterpret_cast<xcb_ge_generic_event_t*>(event);
            if (ge->extension == xinputOpcode_) {
                if (ge->event_type == XCB_INPUT_RAW_MOTION) moved = true;
                if (ge->event_type == XCB_INPUT_RAW_BUTTON_PRESS) {
                    auto* press = reinterpret_cast<xcb_input_raw_button_press_event_t*>(event);
                    if (!isWheel(press->detail)) {
                        if (const auto target = clickTarget()) outsideClick = target;
                    }
                }
            }
        }
        std::free(event);
    }
    if (xcb_connection_has_error(connection_)) {
        closeRawEvents();
        return;
    }
    if (!any) return;
    // One position per batch: a burst of raw motion costs one query.
    if (moved) reportPointer();
    if (outsideClick && onOutsideClick_) {
        // After this handler has returned, as a click handler should not re-enter the tracker.
        QMetaObject::invokeMethod(
            this, [this, where = *outsideClick] { if (onOutsideClick_) onOutsideClick_(where); },
            Qt::QueuedConnection);
    }
    // The replies to the pointer queries can bring events in with them; those
    // wait in the connection's queue, where the socket notifier never sees
    // them. They are taken once the event loop has had its turn.
    QMetaObject::invokeMethod(this, [this] { drain(false); }, Qt::QueuedConnection);
}

void XInputPointerTracker::reportPointer() {
    Reply<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
    if (!pointer || !onMove_) return;
    onMove_(QtDesktop::fromNativePixels(pointer->root_x, pointer->root_y));
}

// The deepest window under the pointer (which honours input shapes) is what
// a click lands on: one of ours or a window inside one of ours, or else a
// window of another application, whose top-level window (a window manager's
// frame, say) stands under the root, or none, where the desktop shows. A
// window of ours inside another's, as our tray icon sits in the tray, is ours;
// the tray around it is not.
std::optional<OutsideClick> XInputPointerTracker::clickTarget() {
    Reply<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
    // Unanswered, the connection is going: nothing is known of the click.
    if (!pointer) return std::nullopt;
    const xcb_window_t top = pointer->child;
    if (top == XCB_WINDOW_NONE) return OutsideClick::takingNoKeyboard();
    xcb_window_t deepest = top;
    for (int depth = 0; depth < maxWindowDepth; ++depth) {
        Reply<xcb_query_pointer_reply_t> inside(
            xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, deepest), nullptr));
        if (!inside || inside->child == XCB_WINDOW_NONE) break;
        deepest = inside->child;
    }
    // All windows, not the top-level ones: Qt counts our tray icon, embedded
    // in the tray, as none of those.
    std::set<xcb_window_t> ours;
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->isVisible() && window->handle()) ours.insert(static_cast<xcb_window_t>(window->winId()));
    }
    for (xcb_window_t current = deepest; current != XCB_WINDOW_NONE && current != root_;) {
        if (ours.contains(current)) return std::nullopt;
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, current), nullptr));
        if (!tree) break;
        current = tree->parent;
    }
    return OutsideClick{X11Focus::keyboardTakerAt(connection_, root_, top)};
}

bool XInputPointerTracker::eventFilter(QObject* watched, QEvent* event) {
    // Moves over our own windows; the event still goes on to its widget.
    if (onMove_ && event->type() == QEvent::MouseMove && watched->isWindowType()) {
        onMove_(QtDesktop::toDesktop(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace IslandKit
