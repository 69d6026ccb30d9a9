// How well a drawn icon reads on the panel behind it, for the offscreen tray
// icon test and the real tray's screenshots alike.
#pragma once

#include <cmath>

#include <QColor>
#include <QImage>
#include <QRect>

namespace WaylarkKitTest {

// The share of `area` whose luminance is at least half the scale away from
// the panel's.
inline double standingOut(const QImage& image, const QRect& area, const QColor& panel) {
    auto luminance = [](const QColor& c) { return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF(); };
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (std::abs(luminance(image.pixelColor(x, y)) - luminance(panel)) >= 0.5) ++count;
        }
    }
    return static_cast<double>(count) / (area.width() * area.height());
}

}  // namespace WaylarkKitTest
