#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "IslandKit/Geometry/Rect.h"

namespace IslandKit {

// Where a click outside this application's windows landed: on a window of
// another application that takes the keyboard, which the click gives it, or
// on something that takes none: a dock, a panel, the bare desktop.
struct OutsideClick {
    // The X window of the application that the click gives the keyboard.
    std::optional<std::uint32_t> keyboardTaker;

    static OutsideClick onWindow(std::uint32_t window) { return {window}; }
    static OutsideClick takingNoKeyboard() { return {}; }
    bool operator==(const OutsideClick&) const = default;
};

// The source of pointer positions and outside clicks of an island window
// controller. Callbacks run on the main thread; positions are in desktop
// coordinates (origin bottom left of the primary display, y upward).
class PointerTracking {
public:
    virtual ~PointerTracking() = default;
    // Replaces any previous tracking.
    virtual void start(std::function<void(Point)> onMove, std::function<void(OutsideClick)> onOutsideClick) = 0;
    virtual void stop() = 0;
};

}  // namespace IslandKit
