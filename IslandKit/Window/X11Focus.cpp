#include "IslandKit/Window/X11Focus.h"

#include <vector>

#include <xcb/xcb.h>

#include "IslandKit/Window/X11.h"

namespace IslandKit::X11Focus {

namespace {

using X11::Reply;

// The hint's place in WM_HINTS: flags first, then the input field.
constexpr std::uint32_t inputHintFlag = 1;
// How deep below a frame its client is looked for: window managers nest it
// a level or two down, and an application's own windows below it need no look.
constexpr int clientSearchDepth = 3;

bool hasProperty(xcb_connection_t* c, Window window, xcb_atom_t property) {
    if (property == XCB_ATOM_NONE) return false;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 0), nullptr));
    return reply && reply->type != XCB_ATOM_NONE;
}

// The window with WM_STATE at or below `top`, breadth first.
std::optional<Window> clientBelow(xcb_connection_t* c, Window top) {
    const xcb_atom_t state = X11::atom(c, "WM_STATE");
    if (state == XCB_ATOM_NONE) return std::nullopt;
    std::vector<Window> level{top};
    for (int depth = 0; depth <= clientSearchDepth && !level.empty(); ++depth) {
        std::vector<Window> below;
        for (const Window window : level) {
            if (hasProperty(c, window, state)) return window;
            if (depth == clientSearchDepth) continue;
            Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
            if (!tree) continue;
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            below.insert(below.end(), children, children + xcb_query_tree_children_length(tree.get()));
        }
        level = std::move(below);
    }
    return std::nullopt;
}

Reply<xcb_get_window_attributes_reply_t> attributesOf(xcb_connection_t* c, Window window) {
    return Reply<xcb_get_window_attributes_reply_t>(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
}

bool overrideRedirect(xcb_connection_t* c, Window window) {
    const auto attributes = attributesOf(c, window);
    return !attributes || attributes->override_redirect;
}

bool isViewable(xcb_connection_t* c, Window window) {
    const auto attributes = attributesOf(c, window);
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

void sendMessage(xcb_connection_t* c, Window to, std::uint32_t mask, Window about, xcb_atom_t type,
                 std::uint32_t first, std::uint32_t second) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = about;
    message.type = type;
    message.data.data32[0] = first;
    message.data.data32[1] = second;
    xcb_send_event(c, 0, to, mask, reinterpret_cast<const char*>(&message));
}

}  // namespace

FocusModel focusModel(xcb_connection_t* c, Window window) {
    FocusModel model;
    Reply<xcb_get_property_reply_t> hints(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 2), nullptr));
    if (hints && hints->format == 32 && xcb_get_property_value_length(hints.get()) >= 8) {
        const auto* fields = static_cast<const std::uint32_t*>(xcb_get_property_value(hints.get()));
        if (fields[0] & inputHintFlag) model.setDirectly = fields[1] != 0;
    }
    const xcb_atom_t protocols = X11::atom(c, "WM_PROTOCOLS"), takeFocus = X11::atom(c, "WM_TAKE_FOCUS");
    if (protocols == XCB_ATOM_NONE || takeFocus == XCB_ATOM_NONE) return model;
    Reply<xcb_get_property_reply_t> offered(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, protocols, XCB_ATOM_ATOM, 0, 64), nullptr));
    if (offered && offered->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(offered.get()));
        const int count = xcb_get_property_value_length(offered.get()) / 4;
        for (int i = 0; i < count; ++i) model.takeFocusMessage = model.takeFocusMessage || atoms[i] == takeFocus;
    }
    return model;
}

bool windowManagerRuns(xcb_connection_t* c, Window root) {
    const auto attributes = attributesOf(c, root);
    return attributes && (attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);
}

std::optional<Window> keyboardTakerAt(xcb_connection_t* c, Window root, Window top) {
    std::optional<Window> client = clientBelow(c, top);
    // Without WM_STATE: where a window manager runs, a window it does not
    // manage (its own panel, say); without one, every window is its own
    // client, but a popup still takes no keyboard.
    if (!client && !windowManagerRuns(c, root) && !overrideRedirect(c, top)) client = top;
    if (!client || !focusModel(c, *client).takesKeyboard()) return std::nullopt;
    return client;
}

void giveKeyboard(xcb_connection_t* c, Window root, Window window) {
    if (!isViewable(c, window)) return;
    // Source 2: a pager, acting for the user.
    if (const xcb_atom_t active = X11::atom(c, "_NET_ACTIVE_WINDOW"); active != XCB_ATOM_NONE) {
        sendMessage(c, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY, window, active,
                    2, XCB_CURRENT_TIME);
    }
    // Directly as well: no window manager may run, or it may be too slow for
    // the keys typed right after.
    const FocusModel model = focusModel(c, window);
    if (model.setDirectly) xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    if (model.takeFocusMessage) {
        sendMessage(c, window, XCB_EVENT_MASK_NO_EVENT, window, X11::atom(c, "WM_PROTOCOLS"),
                    X11::atom(c, "WM_TAKE_FOCUS"), XCB_CURRENT_TIME);
    }
    xcb_flush(c);
}

}  // namespace IslandKit::X11Focus
