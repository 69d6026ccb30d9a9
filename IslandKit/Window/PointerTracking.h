#pragma once

#include <functional>

#include "IslandKit/Geometry/Rect.h"

namespace IslandKit {

// Where a click outside this application's windows landed: on a window of
// another application, which the window manager then gives the keyboard, or
// on no window at all, the bare desktop, which takes none.
enum class OutsideClick { onOtherWindow, onDesktop };

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
