#include "IslandKit/Screen/ScreenMetrics.h"

namespace IslandKit {

std::optional<Rect> ScreenMetrics::notchRect() const {
    if (!notchSize) return std::nullopt;
    return Rect{frame.midX() - notchSize->width / 2, frame.maxY() - notchSize->height, notchSize->width,
                notchSize->height};
}

}  // namespace IslandKit
