#include "WaylarkKit/Qt/X11DisplayCheck.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace WaylarkKit {

std::optional<std::string> missingX11Display() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && !std::string_view(platform).starts_with("xcb")) return std::nullopt;
    const std::string prefix = "Orl Trading Waylark needs an X11 display: ";
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return prefix + "DISPLAY is not set";
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed) return prefix + "cannot open display " + display;
    return std::nullopt;
}

}  // namespace WaylarkKit
