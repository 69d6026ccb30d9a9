#include "WaylarkKit/Qt/X11DisplayCheck.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace WaylarkKit {

namespace {

constexpr char prefix[] = "Orl Trading Waylark needs an X11 display: ";

std::string displayName() {
    const char* display = std::getenv("DISPLAY");
    return display ? display : "";
}

}  // namespace

X11DisplayCheck::X11DisplayCheck() {
    const std::string display = displayName();
    if (display.empty()) {
        missing_ = std::string(prefix) + "DISPLAY is not set";
        return;
    }
    connection_ = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection_) != 0) missing_ = refused();
}

X11DisplayCheck::~X11DisplayCheck() {
    // A failed connection is an object of its own that must be freed too.
    if (connection_) xcb_disconnect(connection_);
}

std::string X11DisplayCheck::refused() const { return std::string(prefix) + "cannot open display " + displayName(); }

}  // namespace WaylarkKit
