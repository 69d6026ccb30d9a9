#include "IslandKit/Window/QtDesktop.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>

namespace IslandKit::QtDesktop {

DesktopSpace space() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return {};
    const QRect g = primary->geometry();
    return DesktopSpace{static_cast<double>(g.y() + g.height())};
}

Rect toDesktop(const QRect& r) {
    return space().toDesktop(Rect{static_cast<double>(r.x()), static_cast<double>(r.y()),
                                  static_cast<double>(r.width()), static_cast<double>(r.height())});
}

Point toDesktop(const QPoint& p) {
    return space().toDesktop(Point{static_cast<double>(p.x()), static_cast<double>(p.y())});
}

Point fromNativePixels(int x, int y) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const double ratio = primary ? primary->devicePixelRatio() : 1.0;
    return space().toDesktop(Point{x / ratio, y / ratio});
}

QRect toWindowSystem(const Rect& r) {
    const Rect w = space().toWindowSystem(r);
    // Grow outward to whole pixels, so nothing of the rectangle is cut off.
    const int left = static_cast<int>(std::floor(w.minX()));
    const int top = static_cast<int>(std::floor(w.minY()));
    const int right = static_cast<int>(std::ceil(w.maxX()));
    const int bottom = static_cast<int>(std::ceil(w.maxY()));
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace IslandKit::QtDesktop
