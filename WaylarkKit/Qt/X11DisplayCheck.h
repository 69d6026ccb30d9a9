#pragma once

#include <optional>
#include <string>

struct xcb_connection_t;

namespace WaylarkKit {

// Whether the X server the windows need can be reached, asked before Qt is:
// Qt aborts the process without one. The connection stays open while this
// lives, so the application object must be made before it goes: a server with
// no other client resets when its last client leaves, and would refuse the
// connection Qt makes a moment later.
class X11DisplayCheck {
public:
    X11DisplayCheck();
    ~X11DisplayCheck();
    X11DisplayCheck(const X11DisplayCheck&) = delete;
    X11DisplayCheck& operator=(const X11DisplayCheck&) = delete;

    // The line that says what is missing, or nothing when the display opened.
    const std::optional<std::string>& missing() const { return missing_; }
    // The same line for a display that opened here but not for Qt.
    std::string refused() const;

private:
    xcb_connection_t* connection_ = nullptr;
    std::optional<std::string> missing_;
};

}  // namespace WaylarkKit
