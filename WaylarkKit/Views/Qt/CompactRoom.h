#pragma once

#include <cmath>

#include <QPointF>
#include <QSize>

#include "WaylarkKit/Views/HoverMagnification.h"

namespace WaylarkKit {

// A compact view's widget around its content: room on every side for the
// content grown about its centre while hovered, since a widget cannot draw
// beyond its own edges.
struct CompactRoom {
    QSize widgetSize;
    QPointF content;  // the content's top-left corner in the widget

    static int margin(double extent) {
        return static_cast<int>(std::ceil(extent * (HoverMagnification::magnified - 1) / 2)) + 1;
    }
    static CompactRoom around(double width, double height) {
        const int mx = margin(width);
        const int my = margin(height);
        return {QSize(static_cast<int>(std::ceil(width)) + 2 * mx, static_cast<int>(std::ceil(height)) + 2 * my),
                QPointF(mx, my)};
    }
};

}  // namespace WaylarkKit
